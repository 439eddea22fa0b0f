// The hot keys of the per-frame update as window events set them: a key pressed and let go
// between two frames fires once, in the next frame; a key held fires once per key-down.
#include <gtest/gtest.h>

#include <memory>

#include "app/vorn_opengl.h"
#include "platform/events.h"
#include "platform/key_codes.h"

namespace {

class HotKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_ = &app_->gui.AddMenu("xmodel_list");  // toggled by Space, at once (no transition)
  }
  void Key(platform::EventType type, int code) {
    platform::Event event;
    event.type = type;
    event.keyCode = code;
    app_->HandleEvent(event);
  }
  std::unique_ptr<VornOpenGL> app_ = std::make_unique<VornOpenGL>();
  Menu* list_ = nullptr;
};

TEST_F(HotKeyTest, ATapBetweenTwoFramesFiresOnceInTheNextFrame) {
  const int space = platform::vk::kSpace;
  Key(platform::EventType::KeyDown, space);
  Key(platform::EventType::KeyUp, space);
  app_->Update();
  EXPECT_TRUE(list_->visible) << "the tap was lost";
  EXPECT_FALSE(KeyDownTable[space]) << "the release was applied after the hot keys";
  app_->Update();
  EXPECT_TRUE(list_->visible) << "fired again without a new press";
}

TEST_F(HotKeyTest, AHeldKeyFiresOncePerKeyDown) {
  const int space = platform::vk::kSpace;
  Key(platform::EventType::KeyDown, space);
  app_->Update();
  app_->Update();
  EXPECT_TRUE(list_->visible);
  Key(platform::EventType::KeyDown, space);  // the keyboard's repeat
  app_->Update();
  EXPECT_FALSE(list_->visible);
  Key(platform::EventType::KeyUp, space);
  app_->Update();
  EXPECT_FALSE(list_->visible);
}

}  // namespace
