#include "engine/ui/form_writer.h"

namespace zk::ui {
namespace {

const char* kHex = "0123456789ABCDEF";

std::string HexOf(std::uint64_t v, int minDigits) {
    char buf[17];
    int n = 0;
    while ((v || n < minDigits) && n < 16) {
        buf[15 - n++] = kHex[v & 15];
        v >>= 4;
    }
    return std::string(buf + 16 - n, static_cast<std::size_t>(n));
}

// Printable characters go between quotes, control characters as #nn.
std::string QuoteString(const std::string& s) {
    if (s.empty()) return "''";
    std::string out;
    bool inQuote = false;
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (u < 32) {
            if (inQuote) out += '\'';
            inQuote = false;
            out += '#';
            out += std::to_string(u);
        } else {
            if (!inQuote) out += '\'';
            inQuote = true;
            out += c;
            if (c == '\'') out += '\'';
        }
    }
    if (inQuote) out += '\'';
    return out;
}

std::string IntegerText(const FormValue& v) {
    if (!v.hex) return std::to_string(v.integer);
    std::uint64_t magnitude = v.integer < 0 ? 0 - static_cast<std::uint64_t>(v.integer)
                                            : static_cast<std::uint64_t>(v.integer);
    return (v.integer < 0 ? "-$" : "$") + HexOf(magnitude, 8);
}

class Writer {
  public:
    std::string out;

    void Line(int indent, const std::string& text) {
        out.append(static_cast<std::size_t>(indent) * 2, ' ');
        out += text;
        out += "\r\n";
    }

    void Object(const FormObject& obj, int indent) {
        static const char* headers[] = {"object", "inherited", "inline"};
        std::string head = headers[static_cast<int>(obj.header)];
        head += ' ';
        if (!obj.name.empty()) head += obj.name + ": ";
        head += obj.className;
        if (obj.hasIndex) head += " [" + std::to_string(obj.index) + "]";
        Line(indent, head);
        for (const auto& p : obj.properties)
            Property(p, indent + 1);
        for (const auto& c : obj.children)
            Object(c, indent + 1);
        Line(indent, "end");
    }

    void Property(const FormProperty& p, int indent) {
        const FormValue& v = p.value;
        std::string head = p.name + " = ";
        switch (v.kind) {
        case FormValue::Kind::List: {
            if (v.items.empty()) {
                Line(indent, head + "()");
                break;
            }
            Line(indent, head + "(");
            for (std::size_t i = 0; i < v.items.size(); ++i)
                Line(indent + 1,
                     FormValueNotation(v.items[i]) + (i + 1 == v.items.size() ? ")" : ""));
            break;
        }
        case FormValue::Kind::Binary: {
            Line(indent, head + "{");
            std::string hex;
            for (char c : v.text)
                hex += HexOf(static_cast<unsigned char>(c), 2);
            for (std::size_t at = 0; at < hex.size(); at += 64) {
                bool last = at + 64 >= hex.size();
                Line(indent + 1, hex.substr(at, 64) + (last ? "}" : ""));
            }
            if (hex.empty()) Line(indent + 1, "}");
            break;
        }
        case FormValue::Kind::Collection: {
            if (v.collection.empty()) {
                Line(indent, head + "<>");
                break;
            }
            Line(indent, head + "<");
            for (std::size_t i = 0; i < v.collection.size(); ++i) {
                const auto& item = v.collection[i];
                Line(indent + 1,
                     item.hasIndex ? "item [" + std::to_string(item.index) + "]" : "item");
                for (const auto& ip : item.properties)
                    Property(ip, indent + 2);
                Line(indent + 1, i + 1 == v.collection.size() ? "end>" : "end");
            }
            break;
        }
        default:
            Line(indent, head + FormValueNotation(v));
        }
    }
};

} // namespace

std::string FormValueNotation(const FormValue& v) {
    switch (v.kind) {
    case FormValue::Kind::Integer:
        return IntegerText(v);
    case FormValue::Kind::Float:
    case FormValue::Kind::Identifier:
        return v.text;
    case FormValue::Kind::String:
        return QuoteString(v.text);
    case FormValue::Kind::Set: {
        std::string out = "[";
        for (std::size_t i = 0; i < v.setItems.size(); ++i) {
            if (i) out += ", ";
            out += v.setItems[i];
        }
        return out + "]";
    }
    case FormValue::Kind::List: {
        std::string out = "(";
        for (std::size_t i = 0; i < v.items.size(); ++i) {
            if (i) out += ' ';
            out += FormValueNotation(v.items[i]);
        }
        return out + ")";
    }
    case FormValue::Kind::Binary: {
        std::string out = "{";
        for (char c : v.text)
            out += HexOf(static_cast<unsigned char>(c), 2);
        return out + "}";
    }
    case FormValue::Kind::Collection: {
        std::string out = "<";
        for (const auto& item : v.collection) {
            out += " item";
            if (item.hasIndex) out += " [" + std::to_string(item.index) + "]";
            for (const auto& p : item.properties)
                out += " " + p.name + " = " + FormValueNotation(p.value);
            out += " end";
        }
        return out + ">";
    }
    }
    return {};
}

std::string WriteFormText(const FormObject& root) {
    Writer w;
    w.Object(root, 0);
    return w.out;
}

} // namespace zk::ui
