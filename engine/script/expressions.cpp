#include "engine/script/expressions.h"

#include <optional>

#include "engine/script/variable_store.h"

namespace zk::script {

namespace {

// Recursive-descent evaluator; every parse function returns nullopt on error.
class ExpressionParser {
  public:
    explicit ExpressionParser(std::string_view text) : text_(text) {}

    std::optional<bool> Term() {
        SkipSpaces();
        if (AtEnd()) return std::nullopt;
        if (text_[pos_] == '(') {
            if (++depth_ > kMaxExpressionDepth) return std::nullopt;
            ++pos_;
            std::optional<bool> inner = Expression();
            --depth_;
            if (!inner) return std::nullopt;
            SkipSpaces();
            if (AtEnd() || text_[pos_] != ')') return std::nullopt;
            ++pos_;
            return inner;
        }
        if (text_[pos_] == '"') return Comparison();
        return std::nullopt;
    }

    bool AtEnd() const { return pos_ >= text_.size(); }

  private:
    std::optional<bool> Expression() {
        std::optional<bool> value = Term();
        if (!value) return std::nullopt;
        for (;;) {
            SkipSpaces();
            if (AtEnd() || text_[pos_] == ')') return value;
            std::string_view word = Word();
            std::optional<bool> next = Term();
            if (!next) return std::nullopt;
            if (word == "and")
                value = *value && *next;
            else if (word == "or")
                value = *value || *next;
            else
                return std::nullopt;
        }
    }

    std::optional<bool> Comparison() {
        std::optional<std::string> left = Quoted();
        if (!left) return std::nullopt;
        SkipSpaces();
        std::string_view op = Word();
        SkipSpaces();
        std::optional<std::string> right = Quoted();
        if (!right) return std::nullopt;
        SkipSpaces();
        // std::string compares bytes as unsigned char: byte order.
        int order = left->compare(*right);
        if (op == "=") return order == 0;
        if (op == "<>") return order != 0;
        if (op == "<") return order < 0;
        if (op == "<=") return order <= 0;
        if (op == ">") return order > 0;
        if (op == ">=") return order >= 0;
        return std::nullopt;
    }

    // A double-quoted text; two quotes inside stand for one.
    std::optional<std::string> Quoted() {
        if (AtEnd() || text_[pos_] != '"') return std::nullopt;
        ++pos_;
        std::string value;
        while (!AtEnd()) {
            char c = text_[pos_++];
            if (c != '"') {
                value += c;
                continue;
            }
            if (!AtEnd() && text_[pos_] == '"') {
                value += '"';
                ++pos_;
                continue;
            }
            return value;
        }
        return std::nullopt;
    }

    // Characters up to the next space or double quote.
    std::string_view Word() {
        std::size_t start = pos_;
        while (!AtEnd() && text_[pos_] != ' ' && text_[pos_] != '"')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    void SkipSpaces() {
        while (!AtEnd() && text_[pos_] == ' ')
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

} // namespace

std::string EvaluateExpressionText(std::string_view text) {
    std::string enclosed = "(" + std::string(text) + ")";
    ExpressionParser parser(enclosed);
    std::optional<bool> value = parser.Term();
    if (!value || !parser.AtEnd()) return std::string(kExpressionError);
    return std::string(*value ? kExpressionTrue : kExpressionFalse);
}

std::string EvaluateExpression(std::string_view text, const VariableStore& store) {
    return EvaluateExpressionText(store.SubstituteQuoted(text));
}

bool ExpressionSyntaxPasses(std::string_view rawText) {
    std::string quoted(rawText);
    for (char& c : quoted)
        if (c == '$') c = '"';
    return EvaluateExpressionText(quoted) != kExpressionError;
}

} // namespace zk::script
