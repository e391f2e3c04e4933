#include "engine/ui/form_reader.h"

#include <charconv>
#include <cstdlib>

#include "common/ansi_case.h"

namespace zk::ui {

FormReadError::FormReadError(const std::string& file, int line, int column, const std::string& what)
    : EngineError((file.empty() ? std::string("form") : file) + "(" + std::to_string(line) + "," +
                  std::to_string(column) + "): " + what),
      line_(line), column_(column) {}

namespace {

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
  public:
    Reader(std::string_view text, std::string_view file, const FormReadLimits& limits)
        : s_(text), file_(file), limits_(limits) {}

    FormObject ReadRoot() {
        if (s_.size() > limits_.maxInputBytes) Fail("form file too large");
        SkipBlanks();
        FormObject root = ReadObject(0);
        SkipBlanks();
        if (p_ < s_.size()) Fail("text after the end of the root object");
        return root;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) { FailAt(line_, Column(), what); }
    [[noreturn]] void FailAt(int line, int column, const std::string& what) {
        throw FormReadError(std::string(file_), line, column, what);
    }
    int Column() const { return static_cast<int>(p_ - lineStart_) + 1; }
    bool AtEnd() const { return p_ >= s_.size(); }
    char Peek() const { return AtEnd() ? '\0' : s_[p_]; }

    void Advance() {
        if (s_[p_] == '\n') {
            ++line_;
            lineStart_ = p_ + 1;
        }
        ++p_;
    }

    void SkipBlanks() {
        while (!AtEnd()) {
            char c = s_[p_];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0') {
                Advance();
            } else if (c == '/' && p_ + 1 < s_.size() && s_[p_ + 1] == '/') {
                while (!AtEnd() && s_[p_] != '\n')
                    Advance();
            } else {
                break;
            }
        }
    }

    // An identifier, dots allowed between parts when `dotted`.
    std::string ReadIdent(bool dotted, const char* what) {
        SkipBlanks();
        if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
        std::size_t start = p_;
        while (!AtEnd()) {
            if (IsIdentChar(s_[p_])) {
                Advance();
            } else if (dotted && s_[p_] == '.' && p_ + 1 < s_.size() && IsIdentStart(s_[p_ + 1])) {
                Advance();
            } else {
                break;
            }
        }
        return std::string(s_.substr(start, p_ - start));
    }

    void Expect(char c) {
        SkipBlanks();
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        Advance();
    }

    bool PeekWord(std::string_view word) {
        SkipBlanks();
        if (s_.size() - p_ < word.size()) return false;
        if (!AnsiSameText(s_.substr(p_, word.size()), word)) return false;
        std::size_t after = p_ + word.size();
        return after >= s_.size() || !IsIdentChar(s_[after]);
    }

    // A dotted identifier followed by '=' starts a property, whatever its name
    // (a property may be called "end", "item" or "Object.Tag").
    bool AtProperty() {
        SkipBlanks();
        if (!IsIdentStart(Peek())) return false;
        std::size_t saveP = p_, saveStart = lineStart_;
        int saveLine = line_;
        ReadIdent(true, "name");
        SkipBlanks();
        bool property = Peek() == '=';
        p_ = saveP;
        lineStart_ = saveStart;
        line_ = saveLine;
        return property;
    }

    void EnterNesting() {
        if (++depth_ > limits_.maxDepth) Fail("nesting too deep");
    }

    FormObject ReadObject(int) {
        EnterNesting();
        FormObject obj;
        obj.line = line_;
        std::string word = ReadIdent(false, "object, inherited or inline");
        if (AnsiSameText(word, "object")) {
            obj.header = FormObject::Header::Object;
        } else if (AnsiSameText(word, "inherited")) {
            obj.header = FormObject::Header::Inherited;
        } else if (AnsiSameText(word, "inline")) {
            obj.header = FormObject::Header::Inline;
        } else {
            FailAt(obj.line, Column() - static_cast<int>(word.size()),
                   "expected object, inherited or inline, found '" + word + "'");
        }
        std::string first = ReadIdent(false, "object name or class");
        SkipBlanks();
        if (Peek() == ':') {
            Advance();
            obj.name = first;
            obj.className = ReadIdent(true, "class name");
        } else {
            obj.className = first;
        }
        SkipBlanks();
        if (Peek() == '[') {
            Advance();
            SkipBlanks();
            FormValue v = ReadNumber();
            if (v.kind != FormValue::Kind::Integer) Fail("expected an integer index");
            obj.hasIndex = true;
            obj.index = v.integer;
            Expect(']');
        }
        for (;;) {
            SkipBlanks();
            if (AtEnd()) Fail("missing 'end' of object " + obj.name);
            if (AtProperty()) {
                obj.properties.push_back(ReadProperty());
                continue;
            }
            if (PeekWord("end")) {
                ReadIdent(false, "end");
                break;
            }
            if (PeekWord("object") || PeekWord("inherited") || PeekWord("inline")) {
                obj.children.push_back(ReadObject(0));
            } else {
                obj.properties.push_back(ReadProperty());
            }
        }
        --depth_;
        return obj;
    }

    FormProperty ReadProperty() {
        FormProperty prop;
        prop.line = line_;
        prop.name = ReadIdent(true, "property name");
        Expect('=');
        prop.value = ReadValue();
        return prop;
    }

    FormValue ReadValue() {
        SkipBlanks();
        char c = Peek();
        if (c == '\'' || c == '#') return ReadString();
        if (IsDigit(c) || c == '-' || c == '+' || c == '$') return ReadNumber();
        if (c == '[') return ReadSet();
        if (c == '(') return ReadList();
        if (c == '{') return ReadBinary();
        if (c == '<') return ReadCollection();
        if (IsIdentStart(c)) return FormValue::Ident(ReadIdent(true, "value"));
        if (AtEnd()) Fail("expected a value, found the end of the file");
        Fail(std::string("unexpected character '") + c + "'");
    }

    FormValue ReadNumber() {
        int line = line_, col = Column();
        std::size_t start = p_;
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            Advance();
        }
        if (Peek() == '$') {
            Advance();
            std::uint64_t v = 0;
            int digits = 0;
            while (!AtEnd() && HexDigit(s_[p_]) >= 0) {
                if (++digits > 16) FailAt(line, col, "hexadecimal number too long");
                v = v * 16 + static_cast<std::uint64_t>(HexDigit(s_[p_]));
                Advance();
            }
            if (digits == 0) FailAt(line, col, "expected hexadecimal digits after '$'");
            if (!AtEnd() && IsIdentChar(s_[p_])) FailAt(line, col, "malformed number");
            // Two's complement in unsigned arithmetic: $8000000000000000 and its negation stay
            // defined.
            return FormValue::Int(static_cast<std::int64_t>(negative ? 0 - v : v), true);
        }
        if (!IsDigit(Peek())) FailAt(line, col, "expected a number");
        bool isFloat = false;
        while (!AtEnd() && IsDigit(s_[p_]))
            Advance();
        if (Peek() == '.' && p_ + 1 < s_.size() && IsDigit(s_[p_ + 1])) {
            isFloat = true;
            Advance();
            while (!AtEnd() && IsDigit(s_[p_]))
                Advance();
        }
        if (Peek() == 'e' || Peek() == 'E') {
            std::size_t save = p_;
            Advance();
            if (Peek() == '+' || Peek() == '-') Advance();
            if (!IsDigit(Peek())) {
                p_ = save;
                FailAt(line, col, "malformed exponent");
            }
            isFloat = true;
            while (!AtEnd() && IsDigit(s_[p_]))
                Advance();
        }
        std::string text(s_.substr(start, p_ - start));
        // Single, currency and date suffixes of floating-point values.
        if (isFloat && (Peek() == 's' || Peek() == 'S' || Peek() == 'c' || Peek() == 'C' ||
                        Peek() == 'd' || Peek() == 'D')) {
            text += s_[p_];
            Advance();
        }
        if (!AtEnd() && IsIdentChar(s_[p_])) FailAt(line, col, "malformed number");
        if (isFloat) {
            FormValue v;
            v.kind = FormValue::Kind::Float;
            v.text = text;
            return v;
        }
        std::int64_t value = 0;
        const char* first = text.data() + (text[0] == '+' ? 1 : 0);
        auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), value);
        if (ec != std::errc() || ptr != text.data() + text.size())
            FailAt(line, col, "number out of range");
        return FormValue::Int(value);
    }

    FormValue ReadString() {
        FormValue v;
        v.kind = FormValue::Kind::String;
        for (;;) {
            if (Peek() == '\'') {
                int line = line_, col = Column();
                Advance();
                for (;;) {
                    if (AtEnd() || s_[p_] == '\n' || s_[p_] == '\r')
                        FailAt(line, col, "unterminated string");
                    if (s_[p_] == '\'') {
                        if (p_ + 1 < s_.size() && s_[p_ + 1] == '\'') {
                            Append(v.text, '\'');
                            Advance();
                            Advance();
                            continue;
                        }
                        Advance();
                        break;
                    }
                    Append(v.text, s_[p_]);
                    Advance();
                }
            } else if (Peek() == '#') {
                int col = Column();
                Advance();
                std::uint32_t code = 0;
                int digits = 0;
                if (Peek() == '$') {
                    Advance();
                    while (!AtEnd() && HexDigit(s_[p_]) >= 0 && digits < 8) {
                        code = code * 16 + static_cast<std::uint32_t>(HexDigit(s_[p_]));
                        ++digits;
                        Advance();
                    }
                } else {
                    while (!AtEnd() && IsDigit(s_[p_]) && digits < 8) {
                        code = code * 10 + static_cast<std::uint32_t>(s_[p_] - '0');
                        ++digits;
                        Advance();
                    }
                }
                if (digits == 0) FailAt(line_, col, "expected a character code after '#'");
                if (!AtEnd() && IsIdentChar(s_[p_])) FailAt(line_, col, "malformed character code");
                // Codes above 255 come from wide-string forms; ANSI text has no place for them.
                Append(v.text, code <= 255 ? static_cast<char>(code) : '?');
            } else {
                break;
            }
            // Parts written side by side form one string; '+' joins strings across blanks.
            // Strings separated by blanks alone are separate values (list items).
            if (Peek() == '\'' || Peek() == '#') continue;
            std::size_t saveP = p_, saveStart = lineStart_;
            int saveLine = line_;
            SkipBlanks();
            if (Peek() == '+') {
                Advance();
                SkipBlanks();
                if (Peek() != '\'' && Peek() != '#') Fail("expected a string after '+'");
            } else {
                p_ = saveP;
                lineStart_ = saveStart;
                line_ = saveLine;
                break;
            }
        }
        return v;
    }

    void Append(std::string& out, char c) {
        if (out.size() >= limits_.maxValueBytes) Fail("string too long");
        out += c;
    }

    FormValue ReadSet() {
        FormValue v;
        v.kind = FormValue::Kind::Set;
        Expect('[');
        SkipBlanks();
        if (Peek() == ']') {
            Advance();
            return v;
        }
        for (;;) {
            SkipBlanks();
            if (IsDigit(Peek()) || Peek() == '-') {
                FormValue n = ReadNumber();
                if (n.kind != FormValue::Kind::Integer)
                    Fail("expected an identifier or integer in a set");
                v.setItems.push_back(std::to_string(n.integer));
            } else {
                v.setItems.push_back(ReadIdent(false, "set element"));
            }
            if (v.setItems.size() > 4096) Fail("set too large");
            SkipBlanks();
            if (Peek() == ',') {
                Advance();
                continue;
            }
            Expect(']');
            return v;
        }
    }

    FormValue ReadList() {
        EnterNesting();
        FormValue v;
        v.kind = FormValue::Kind::List;
        Expect('(');
        std::size_t total = 0;
        for (;;) {
            SkipBlanks();
            if (Peek() == ')') {
                Advance();
                break;
            }
            if (AtEnd()) Fail("missing ')' at the end of a list");
            v.items.push_back(ReadValue());
            total += v.items.back().text.size() + 1;
            if (total > limits_.maxValueBytes) Fail("list too large");
        }
        --depth_;
        return v;
    }

    FormValue ReadBinary() {
        FormValue v;
        v.kind = FormValue::Kind::Binary;
        int line = line_, col = Column();
        Expect('{');
        int high = -1;
        for (;;) {
            SkipBlanks();
            if (AtEnd()) FailAt(line, col, "missing '}' at the end of binary data");
            char c = s_[p_];
            if (c == '}') {
                Advance();
                break;
            }
            int d = HexDigit(c);
            if (d < 0) Fail(std::string("unexpected character '") + c + "' in binary data");
            Advance();
            if (high < 0) {
                high = d;
            } else {
                Append(v.text, static_cast<char>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0) FailAt(line, col, "binary data with an odd number of digits");
        return v;
    }

    FormValue ReadCollection() {
        EnterNesting();
        FormValue v;
        v.kind = FormValue::Kind::Collection;
        Expect('<');
        for (;;) {
            SkipBlanks();
            if (Peek() == '>') {
                Advance();
                break;
            }
            if (AtEnd()) Fail("missing '>' at the end of a collection");
            if (!PeekWord("item")) Fail("expected 'item' in a collection");
            ReadIdent(false, "item");
            FormValue::CollectionItem item;
            SkipBlanks();
            if (Peek() == '[') {
                Advance();
                SkipBlanks();
                FormValue n = ReadNumber();
                if (n.kind != FormValue::Kind::Integer) Fail("expected an integer index");
                item.hasIndex = true;
                item.index = n.integer;
                Expect(']');
            }
            for (;;) {
                SkipBlanks();
                if (AtEnd()) Fail("missing 'end' of a collection item");
                if (AtProperty()) {
                    item.properties.push_back(ReadProperty());
                    continue;
                }
                if (PeekWord("end")) {
                    ReadIdent(false, "end");
                    break;
                }
                item.properties.push_back(ReadProperty());
            }
            v.collection.push_back(std::move(item));
            if (v.collection.size() > 65536) Fail("collection too large");
        }
        --depth_;
        return v;
    }

    std::string_view s_;
    std::string_view file_;
    FormReadLimits limits_;
    std::size_t p_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    int depth_ = 0;
};

} // namespace

FormObject ReadFormText(std::string_view text, std::string_view fileName,
                        const FormReadLimits& limits) {
    return Reader(text, fileName, limits).ReadRoot();
}

} // namespace zk::ui
