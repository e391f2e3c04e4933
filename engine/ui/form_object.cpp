#include "engine/ui/form_object.h"

#include "common/ansi_case.h"

namespace zk::ui {

FormValue FormValue::Int(std::int64_t v, bool hex) {
    FormValue value;
    value.kind = Kind::Integer;
    value.integer = v;
    value.hex = hex;
    return value;
}

FormValue FormValue::Str(std::string s) {
    FormValue value;
    value.kind = Kind::String;
    value.text = std::move(s);
    return value;
}

FormValue FormValue::Ident(std::string s) {
    FormValue value;
    value.kind = Kind::Identifier;
    value.text = std::move(s);
    return value;
}

bool FormValue::operator==(const FormValue& o) const {
    if (kind != o.kind) return false;
    switch (kind) {
    case Kind::Integer:
        return integer == o.integer;
    case Kind::Float:
    case Kind::String:
    case Kind::Identifier:
    case Kind::Binary:
        return text == o.text;
    case Kind::Set:
        return setItems == o.setItems;
    case Kind::List:
        return items == o.items;
    case Kind::Collection:
        if (collection.size() != o.collection.size()) return false;
        for (std::size_t i = 0; i < collection.size(); ++i) {
            const auto& a = collection[i];
            const auto& b = o.collection[i];
            if (a.hasIndex != b.hasIndex || (a.hasIndex && a.index != b.index) ||
                a.properties != b.properties)
                return false;
        }
        return true;
    }
    return false;
}

const FormProperty* FormObject::Find(std::string_view propertyName) const {
    for (auto it = properties.rbegin(); it != properties.rend(); ++it)
        if (AnsiSameText(it->name, propertyName)) return &*it;
    return nullptr;
}

bool FormObject::operator==(const FormObject& o) const {
    return header == o.header && name == o.name && className == o.className &&
           hasIndex == o.hasIndex && (!hasIndex || index == o.index) &&
           properties == o.properties && children == o.children;
}

} // namespace zk::ui
