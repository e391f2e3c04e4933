# Entry points. `make test` is what CI runs (see README).
JOBS ?= $(shell nproc)
ROOT := $(CURDIR)
B := $(ROOT)/build
CMAKE_GEN := -G "Unix Makefiles"

.PHONY: all deps native win64 win32 fuzz bench test demo clean

all: native win64 win32

deps:
	bash scripts/install-deps.sh

$(B)/native/CMakeCache.txt:
	cmake -S . -B $(B)/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DZK_SANITIZE=ON
$(B)/win64/CMakeCache.txt:
	cmake -S . -B $(B)/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-mingw-x86_64.cmake -DZK_NATIVE_BUILD_DIR=$(B)/native
$(B)/win32/CMakeCache.txt:
	cmake -S . -B $(B)/win32 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZK_BUILD_TESTS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-mingw-i686.cmake
$(B)/fuzz/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(B)/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DZK_BUILD_TESTS=OFF -DZK_FUZZ=ON -DCMAKE_C_FLAGS="-fsanitize=address,undefined" -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined"

native: deps $(B)/native/CMakeCache.txt
	cmake --build $(B)/native -j $(JOBS)
win64: deps native $(B)/win64/CMakeCache.txt
	cmake --build $(B)/win64 -j $(JOBS)
win32: deps $(B)/win32/CMakeCache.txt
	cmake --build $(B)/win32 -j $(JOBS)
fuzz: deps $(B)/fuzz/CMakeCache.txt
	cmake --build $(B)/fuzz -j $(JOBS) --target fuzzers

demo: native win64
	bash scripts/demo.sh $(B)

test: native win64 win32 fuzz
	bash scripts/run-tests.sh $(B)

clean:
	rm -rf $(B)

# Benchmarks are built optimised, without sanitizers, in their own tree.
$(B)/bench/CMakeCache.txt:
	cmake -S . -B $(B)/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZK_BUILD_TESTS=OFF
bench: deps $(B)/bench/CMakeCache.txt
	cmake --build $(B)/bench -j $(JOBS) --target benchmarks
