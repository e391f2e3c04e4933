// A minimal PE file for tests: headers and one section, nothing appended.
#pragma once
#include <string>

namespace zk::setupc::test {

// `tag` fills the section so that different test files differ.
std::string MakeTestPe(char tag = 'x');

} // namespace zk::setupc::test
