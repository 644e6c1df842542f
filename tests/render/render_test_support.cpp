#include "render/render_test_support.h"

#include <gtest/gtest.h>

namespace murva::test {

DrawnText FindOne(const RecordingCanvas& canvas, const std::string& text) {
  const std::vector<DrawnText> found = Find(canvas, text);
  EXPECT_EQ(found.size(), 1u) << "text \"" << text << "\"";
  return found.empty() ? DrawnText{} : found.front();
}

}  // namespace murva::test
