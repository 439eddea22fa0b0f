#pragma once
// A camera for drawing tests: looking from eye at the origin with +Y up, its aspect 1, clips 0.1
// and 100.
#include "view/camera.h"

cinder::CameraPersp CameraLookingAtOrigin(Vec3 eye);
