#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exchange/TextOutput.h"

namespace divelog {

// Pretty-printed XML written as it goes: each element on a line of its own,
// children indented four spaces under their parent; text is escaped, and
// what XML cannot hold (control characters, broken UTF-8) is left out or
// replaced, so a damaged record still gives a well-formed file.
class XmlWriter {
public:
    explicit XmlWriter(TextOutput& out) : out_(out) {}

    void declaration();  // version 1.0, UTF-8
    void comment(std::string_view text);
    void open(std::string_view name,
              std::initializer_list<std::pair<std::string_view, std::string_view>> attributes = {});
    void close();
    void element(
        std::string_view name, std::string_view text,
        std::initializer_list<std::pair<std::string_view, std::string_view>> attributes = {});
    void empty(
        std::string_view name,
        std::initializer_list<std::pair<std::string_view, std::string_view>> attributes = {});

private:
    void indent();
    void escaped(std::string_view text, bool attribute);
    void attributes(std::initializer_list<std::pair<std::string_view, std::string_view>> list);

    TextOutput& out_;
    std::vector<std::string> open_;
};

}  // namespace divelog
