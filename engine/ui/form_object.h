// The tree of a form description (text form file): objects with a class, a
// name, their properties in file order and their nested objects.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zk::ui {

struct FormProperty;

// One property value as the form file writes it.
struct FormValue {
    enum class Kind { Integer, Float, String, Identifier, Set, List, Binary, Collection };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;          // Integer
    bool hex = false;                  // Integer written as $hex
    std::string text;                  // Float (as written), String, Identifier, Binary (raw bytes)
    std::vector<std::string> setItems; // Set
    std::vector<FormValue> items;      // List
    // Collection: each item is its property list, with an optional order index.
    struct CollectionItem {
        bool hasIndex = false;
        std::int64_t index = 0;
        std::vector<FormProperty> properties;
    };
    std::vector<CollectionItem> collection;

    static FormValue Int(std::int64_t v, bool hex = false);
    static FormValue Str(std::string s);
    static FormValue Ident(std::string s);

    bool operator==(const FormValue& other) const;
};

struct FormProperty {
    std::string name; // dotted, as written: Font.Name
    FormValue value;
    int line = 0;
    bool operator==(const FormProperty& other) const {
        return name == other.name && value == other.value;
    }
};

struct FormObject {
    enum class Header { Object, Inherited, Inline };
    Header header = Header::Object;
    std::string name;      // may be empty
    std::string className; // e.g. TButton
    bool hasIndex = false;
    std::int64_t index = 0;
    int line = 0; // line of the header
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;

    // Last property of that name (ignoring case), or nullptr.
    const FormProperty* Find(std::string_view propertyName) const;
    bool operator==(const FormObject& other) const;
};

} // namespace zk::ui
