#pragma once
// GameId: the game whose file layouts the model readers use. The xmodel reader has one variant
// per game, the xmodelsurfs reader one for Cod4 and Cod5 together and one for Cod BO; the
// xmodelparts reader and the material files are the same for every game.
// (Not the settings' active_game, which numbers the games 0 Cod4, 1 Cod5, 2 Cod BO.)
#include <cstdint>

enum class GameId : int32_t {
  Cod5 = 1,  // the default of a new model
  CodBo = 2,
  Cod4 = 3,
};
