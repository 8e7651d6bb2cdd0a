#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/message_box.h"

TEST(MessageBox, HookRecordsInsteadOfBlocking) {
  std::string Title, Text;
  auto Old = SetMessageBoxHook([&](const std::string& T, const std::string& M) {
    Title = T;
    Text = M;
  });
  ShowMessageBox("Error", "File \"data\\x.dds\" is damaged");
  EXPECT_EQ(Title, "Error");
  EXPECT_EQ(Text, "File \"data\\x.dds\" is damaged");
  SetMessageBoxHook(Old);
}

TEST(MessageBox, HeadlessRunsWriteToStandardError) {
  ::setenv("TARNOVA_HEADLESS", "1", 1);
  testing::internal::CaptureStderr();
  ShowMessageBox("Title", "Text");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Title: Text\n");
  ::unsetenv("TARNOVA_HEADLESS");
}
