// SPDX-License-Identifier: MIT
#include "keypad.h"
#include "buttons.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "formload.h"
#include "memory_controls.h"

namespace pemdra {
namespace {

using testing::MemoryControls;

// Clicks the named buttons, as a front-end does, on an input that holds `start`.
std::u16string press(std::u16string start, std::initializer_list<std::string_view> keys) {
  MemoryControls form;
  form[TextBox::Text1] = std::move(start);
  for (const std::string_view key : keys) EXPECT_TRUE(click(*findButton(key), form).error.empty());
  return form[TextBox::Text1];
}

TEST(Keypad, AppendsEachKeyAtTheRightEndWithoutChecking) {
  EXPECT_EQ(press(u"", {"C1", "C2", "Ca", "C5"}), u"12,5");
  EXPECT_EQ(press(u"", {"Ca"}), u",");
  EXPECT_EQ(press(u"", {"Ca", "Ca"}), u",,");
  EXPECT_EQ(press(u"", {"C0", "C0", "C7"}), u"007");
  EXPECT_EQ(press(u"abc", {"C9"}), u"abc9");
  EXPECT_EQ(press(u"12", {"C3"}), u"123");  // text + text, never 12 + 3
  EXPECT_EQ(press(u"", {"C0", "C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8", "C9"}),
            u"0123456789");
  const std::u16string longText(100'000, u'5');
  EXPECT_EQ(press(longText, {"C6"}), longText + u"6");
}

TEST(Keypad, ClearAndDeleteLast) {
  EXPECT_EQ(press(u"12,5", {"CAC"}), u"12,");
  EXPECT_EQ(press(u"7", {"CAC"}), u"");
  EXPECT_EQ(press(u"", {"CAC"}), u"");
  EXPECT_EQ(press(u"359,9999 anything", {"Cb"}), u"");
  EXPECT_EQ(press(u"", {"Cb"}), u"");
}

TEST(Keypad, DeleteLastTakesASurrogatePairWhole) {
  EXPECT_EQ(press(u"12\U0001F600", {"CAC"}), u"12");
  EXPECT_EQ(press(u"\U0001D70B", {"CAC"}), u"");
  EXPECT_EQ(press(u"\U0001D70B\U0001D70B", {"CAC", "CAC"}), u"");
  // A lone half already there is one character to the user and goes alone.
  EXPECT_EQ(press(u"1\xD83D", {"CAC"}), u"1");
  EXPECT_EQ(press(u"1\xDE00", {"CAC"}), u"1");
}

TEST(Keypad, ReadsOnceWritesAtMostOnceAndTouchesNothingElse) {
  MemoryControls form;
  form[TextBox::Text1] = u"4";
  form[TextBox::Text2] = u"result";
  form.combo = u"3,14";
  for (const char* key : {"C5", "CAC", "Cb", "CAC"}) (void)click(*findButton(key), form);
  EXPECT_EQ(form.log, (std::vector<std::string>{"read Text1", "write Text1", "read Text1",
                                                "write Text1", "write Text1", "read Text1"}));
  EXPECT_EQ(form[TextBox::Text2], u"result");
  EXPECT_EQ(form.combo, u"3,14");
}

TEST(Buttons, TableBindsEveryButtonToItsHandler) {
  const std::map<std::string_view, std::u16string> after12 = {
      {"C0", u"120"}, {"C1", u"121"}, {"C2", u"122"}, {"C3", u"123"}, {"C4", u"124"},
      {"C5", u"125"}, {"C6", u"126"}, {"C7", u"127"}, {"C8", u"128"}, {"C9", u"129"},
      {"Ca", u"12,"}, {"Cb", u""},    {"CAC", u"1"},  {"CY", u"12"},
  };
  ASSERT_EQ(kButtons.size(), after12.size());
  for (const Button& key : kButtons) {
    MemoryControls form;
    form[TextBox::Text1] = u"12";
    EXPECT_EQ(findButton(key.name), &key);
    const Outcome outcome = click(key, form);
    EXPECT_EQ(form[TextBox::Text1], after12.at(key.name)) << key.name;
    if (!key.typed.empty()) {
      EXPECT_EQ(u"12" + std::u16string(key.typed), after12.at(key.name)) << key.name;
    }
    // Only the conversion button writes a result box, so only it has anything to tell.
    EXPECT_EQ(outcome.announcement.empty(), key.name != "CY") << key.name;
  }
  EXPECT_EQ(convertButton().name, "CY");
  EXPECT_EQ(findButton("Text1"), nullptr);
}

TEST(FormLoad, AppendsTheThreePiChoicesInOrderAndNothingElse) {
  MemoryControls form;
  Form_Load(form);
  EXPECT_EQ(form.comboItems,
            (std::vector<std::u16string>{u"3,14", u"3,14159", u"3,14159265358979"}));
  EXPECT_EQ(form.log, (std::vector<std::string>{"add Combo1", "add Combo1", "add Combo1"}));
  EXPECT_TRUE(form.combo.empty());
}

}  // namespace
}  // namespace pemdra
