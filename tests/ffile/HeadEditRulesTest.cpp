#include "HeadEditRules.h"

#include <gtest/gtest.h>

TEST(HeadEditRules, WordsOfTheCodeLettersAndTrimming)
{
    const struct {
        char letter;
        const char *type, *cls, *access;
    } rows[] = {{'i', "INTEGER", "Unrecognized", "Unrecognized"}, {'r', "REAL", "Unrecognized", "READ-ONLY"},
                {'s', "STRING", "Unrecognized", "Unrecognized"}, {'f', "Unrecognized", "FIXED", "Unrecognized"},
                {'c', "Unrecognized", "CRITICAL", "Unrecognized"}, {'_', "Unrecognized", "DEFAULT", "FREE"},
                {'p', "Unrecognized", "Unrecognized", "PROTECTED"}, {'\0', "Unrecognized", "Unrecognized", "Unrecognized"}};
    for (const auto& r : rows) {
        EXPECT_STREQ(HeadEdit::typeWord(r.letter), r.type) << r.letter;
        EXPECT_STREQ(HeadEdit::classWord(r.letter), r.cls) << r.letter;
        EXPECT_STREQ(HeadEdit::accessWord(r.letter), r.access) << r.letter;
    }
    // The white space a header reader drops, and nothing else.
    EXPECT_EQ(HeadEdit::trim(" \t\n\v\f\ra b\r\f\v\n\t "), "a b");
    EXPECT_EQ(HeadEdit::trim("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(HeadEdit::trim(" \t "), "");
}
