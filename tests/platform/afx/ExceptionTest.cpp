#include <gtest/gtest.h>

#include "platform/afx/Exception.h"

TEST(Exceptions, MemoryExceptionIsThrownAsAHeapObject) {
  CException* caught = nullptr;
  try {
    AfxThrowMemoryException();
  } catch (CException* e) {
    caught = e;
  }
  ASSERT_NE(nullptr, caught);
  EXPECT_TRUE(caught->IsKindOf(RUNTIME_CLASS(CMemoryException)));
  caught->Delete();
}
