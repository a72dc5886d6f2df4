// The sound tests run on SDL's dummy driver unless told otherwise: real decoding
// and mixing, no sound card.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
