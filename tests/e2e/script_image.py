"""Writes compiled script images for tests, independently of the engine's own
writer: one item per CR LF line, lists ended by a line "$"."""


class Image:
    def __init__(self):
        self.commands = []  # (name, identifier, parameters, disabled, media folder)
        self.product_code = "{6F1D5A3C-0000-4000-8000-000000000001}"
        self.title = "Test Product"
        self.plugins = []
        self.publisher = "Test Publisher"
        self.version = "1.0.0"
        self.media_mode = "1"
        self.revision = "{6F1D5A3C-0000-4000-8000-0000000000FF}"
        self.default_language = "English"
        self.headers = []
        self.build_settings = []

    def add(self, name, *params, disabled=False):
        ident = "{6F1D5A3C-0000-4000-8000-%012X}" % (len(self.commands) + 16)
        self.commands.append((name, ident, list(params), disabled, ""))
        return self

    def text(self):
        lines = []

        def lst(items):
            lines.extend(items)
            lines.append("$")

        lst([c[0] for c in self.commands])
        lst([c[1] for c in self.commands])
        params = []
        for _, ident, ps, _, _ in self.commands:
            if ps:
                params.append(ident)
                params.extend("$DOLLAR$" if p == "$" else p for p in ps)
        lst(params)
        lst(["C" if c[3] else "" for c in self.commands])
        lines += [self.product_code, self.title]
        lst(self.plugins)
        lines += [self.publisher, "", "", "", "", self.version]
        lst([])  # media passwords
        lst([c[4] for c in self.commands])
        lines.append(self.media_mode)
        lst(["ZARA-PREDEF-COMPONENT", "0"])
        lines.append(self.revision)
        lst([])  # file table
        lines += ["FALSE", self.default_language]
        lst(self.headers)
        lst(self.build_settings)
        return "\r\n".join(lines).encode("latin-1") + b"\r\n"


def make_setup(engine, folder, image, name="setup"):
    """Copies the engine into `folder` as name.exe with `image` appended, and
    the archive library the engine loads at start beside it."""
    import shutil
    from pathlib import Path
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(Path(engine).parent / "zor.lib", folder / "zor.lib")
    exe = folder / f"{name}.exe"
    data = Path(engine).read_bytes()
    exe.write_bytes(data + (image.text() if image is not None else b""))
    return exe
