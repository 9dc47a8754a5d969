#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace glypharo {

// Checked decimal conversion: optional leading "-", digits only, must fit in
// 32 bits. Anything else (empty, spaces, "+5", "0x10", "12a") is nullopt.
std::optional<int> parseNumber(std::string_view text);

// Splits a message into its command word and body. A message without "+"
// has an empty command and is ignored by every dispatcher.
struct SplitMessage {
    std::string_view command;
    std::string_view body;
};
SplitMessage splitMessage(std::string_view message);

// Reads the fields of a message body, front to back.
//
// A field is the text before the next "+"; the field and its "+" are consumed.
// When no "+" is left the whole remainder is the last field. Reading past the
// end yields nullopt, so a handler can read and check every field before it
// changes any state.
class FieldReader {
public:
    explicit FieldReader(std::string_view body)
        : rest_(body)
    {
    }

    std::optional<std::string_view> field();
    std::optional<int> number();
    // Everything not yet read, "+" characters included (names, chat text).
    std::string_view rest();
    bool atEnd() const { return done_; }

    // A repeated list: appends "+@" to what is left and takes groups of
    // `size` fields until exactly "@" remains. nullopt when the fields run
    // out in the middle of a group. Consumes the reader.
    using Group = std::vector<std::string>;
    std::optional<std::vector<Group>> groups(std::size_t size);

private:
    std::string_view rest_;
    bool done_ = false;
};

// Builds one message: "CMD_x" then "+"-prefixed fields. `text()` is the
// message without its terminator; `wire()` appends the terminator.
class MessageBuilder {
public:
    explicit MessageBuilder(std::string_view command)
        : text_(command)
    {
    }

    MessageBuilder& field(std::string_view value);
    MessageBuilder& field(int value);
    // Appends text as it is (a pre-built list body whose groups carry their
    // own "+").
    MessageBuilder& raw(std::string_view text);

    const std::string& text() const { return text_; }
    std::string wire() const;

private:
    std::string text_;
};

} // namespace glypharo
