#include "console/keys.h"

#include <gtest/gtest.h>

#include "console/console.h"
#include "test_platform/test_console.h"

namespace bellform {
namespace {

namespace tc = test_console;

struct KeyCase {
  InputEvent event;
  unsigned char before;
  int key;
  unsigned char after;
};

TEST(Keys, TableOfTakenEvents) {
  InputEvent ctrl_f1 = InputEvent::special(vk_f1);  // Ctrl is not Shift
  const KeyCase cases[] = {
      {InputEvent::key_press('a', 'A'), 0x11, 'a', 0x11},
      {InputEvent::key_press('\r', vk_return), 0, 13, 0},
      {InputEvent::key_press('\x80'), 0, -128, 0},
      {InputEvent::key_press('\xFD'), 0, -3, 0},
      {InputEvent::special(vk_f1), 0, key_special, 0x3B},
      {InputEvent::special(vk_f1 + 1), 0, key_special, 0x3C},
      {InputEvent::special(vk_f1 + 9), 0, key_special, 0x44},
      {InputEvent::special(vk_f12), 0, key_special, 0x46},
      {InputEvent::special(vk_f1, true), 0, key_special, 0x5E},
      {InputEvent::special(vk_f12, true), 0, key_special, 0x69},
      {ctrl_f1, 0, key_special, 0x3B},
      {InputEvent::special(vk_prior), 0, key_special, 0x39},
      {InputEvent::special(vk_next), 0, key_special, 0x33},
      {InputEvent::special(vk_end), 0, key_special, 0x31},
      {InputEvent::special(vk_home), 0, key_special, 0x37},
      {InputEvent::special(vk_left), 0, key_special, 0x34},
      {InputEvent::special(vk_up), 0, key_special, 0x38},
      {InputEvent::special(vk_right), 0, key_special, 0x36},
      {InputEvent::special(vk_down), 0, key_special, 0x32},
      {InputEvent::special(vk_select), 0x37, key_special, 0x37},
      {InputEvent::special(vk_snapshot), 0x53, key_special, 0x53},
      {InputEvent::special(vk_snapshot), 0, key_special, 0},
      {InputEvent::special(vk_insert), 0, key_special, 0x30},
      {InputEvent::special(vk_delete, true), 0, key_special, 0x53},
      {InputEvent::mouse_event(1), 0x30, key_mouse, 0x30},
      {InputEvent::mouse_event(0x00780000), 0, key_mouse, 0},  // wheel
  };
  for (const KeyCase& c : cases) {
    const KeyTranslation t = translate_event(c.event, c.before);
    EXPECT_TRUE(t.taken) << "vk " << c.event.vk << " ch " << int(c.event.ch);
    EXPECT_EQ(t.key, c.key) << "vk " << c.event.vk << " ch " << int(c.event.ch);
    EXPECT_EQ(t.extended, c.after) << "vk " << c.event.vk;
  }
}

TEST(Keys, EventsThatAreNotKeysAreSkipped) {
  InputEvent focus;
  const InputEvent skipped[] = {
      InputEvent::key_release('a'),
      InputEvent::key_release(0, vk_f1),
      InputEvent::special(vk_shift),  // Shift alone
      InputEvent::special(vk_prior - 1),  // just below Page Up
      InputEvent::special(vk_delete + 1),  // just past Delete
      InputEvent::special(vk_f1 - 1),
      InputEvent::special(vk_f12 + 1),  // F13
      // Typed bytes that would read as the two markers.
      InputEvent::key_press('\xFF'),
      InputEvent::key_press('\xFE'),
      InputEvent::mouse_event(0),
      focus,
  };
  for (const InputEvent& e : skipped) {
    const KeyTranslation t = translate_event(e, 0x36);
    EXPECT_FALSE(t.taken) << "vk " << e.vk;
    EXPECT_EQ(t.extended, 0x36);
  }
}

class KeysRead : public ::testing::Test {
 protected:
  void SetUp() override {
    tc::reset();
    open_console("keys");
  }
};

TEST_F(KeysRead, SkipsToTheFirstKeyAndKeepsItsCode) {
  tc::burst({InputEvent::key_release('x'), InputEvent::mouse_event(0),
             InputEvent::special(vk_f1, true)});
  EXPECT_EQ(read_key(), key_special);
  EXPECT_EQ(extended_key, 0x5E);
  tc::press(vk_print);  // Print: the last code stays
  tc::type("q");
  EXPECT_EQ(read_key(), key_special);
  EXPECT_EQ(extended_key, 0x5E);
  EXPECT_EQ(read_key(), 'q');
  EXPECT_EQ(extended_key, 0x5E);
  tc::click();
  EXPECT_EQ(read_key(), key_mouse);
}

TEST_F(KeysRead, QueuedKeysArriveInOrderUntilDiscarded) {
  tc::burst({InputEvent::key_press('a'), InputEvent::key_press('b'),
             InputEvent::key_press('c')});
  tc::type("d");
  EXPECT_EQ(read_key(), 'a');
  EXPECT_EQ(read_key(), 'b');
  discard_typed_ahead();
  EXPECT_EQ(read_key(), 'd');
  EXPECT_EQ(tc::bursts_left(), 0u);
  EXPECT_THROW(read_key(), tc::ScriptEnded);
}

TEST_F(KeysRead, ResetForgetsTheLastSpecialKey) {
  tc::press(vk_left);
  read_key();
  EXPECT_EQ(extended_key, 0x34);
  tc::reset();
  EXPECT_EQ(extended_key, 0);
  EXPECT_EQ(console_out, null_handle);
  EXPECT_EQ(tc::bursts_left(), 0u);
}

}  // namespace
}  // namespace bellform
