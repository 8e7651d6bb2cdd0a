#pragma once
// Parts shared by the game's models: materials by colour, and small assemblies (people, trees,
// wheels, houses, tanks) that several models use. Sizes are in model file units: units are drawn
// within about 130 of their centre (and enlarged afterwards), buildings within about 190.
#include <string>

#include "model_builder.h"

// A material of colour (0..255 each) with an optional texture of data\tex\models.
int Paint(TModelBuilder& B, int R, int G, int Bl, const std::string& Texture = "", float Opacity = 1, float Glow = 0);

// A standing person facing +z, feet at Pos, about 70 high, in the uniform colour with a helmet
// (or bare head) and a rifle.
struct TFigure {
  int Uniform, Helmet, Skin, Gear;
  bool Rifle = true;
  bool Bulky = false;  // armour and a launcher on the shoulder
};
void Figure(TModelBuilder& B, TVec3 Pos, float Turn, const TFigure& F);
// A round-crowned tree or a pine.
void Tree(TModelBuilder& B, TVec3 Pos, float Height, bool Pine, int Trunk, int Leaves);
// A wheel turning about the x axis, centred at C.
void Wheel(TModelBuilder& B, TVec3 C, float Radius, float Width, int Tyre, int Hub);
// A track unit along z on one side of a vehicle: Lo..Hi box with road wheels on its outside.
void Track(TModelBuilder& B, TVec3 Lo, TVec3 Hi, int Tread, int Wheels);
// A house with a gable roof, its ridge along x.
void House(TModelBuilder& B, TVec3 Lo, TVec3 Hi, float Rise, int Wall, int Roof);
// A storage tank: a cylinder with a shallow dome.
void StorageTank(TModelBuilder& B, TVec3 Base, float Radius, float Height, int Mat);
// A dish antenna on a short post, facing +z tilted up by Tilt degrees.
void Dish(TModelBuilder& B, TVec3 Base, float Radius, float Post, float Tilt, int Mat, int PostMat);
// A plot's plinth from (X0, Z0) to (X1, Z1), its top at Height; it reaches 28 below the model's
// origin, down to the ground of the region diorama, which lies lower than the plots.
void Plate(TModelBuilder& B, float X0, float Z0, float X1, float Z1, float Height, int Mat, float Tile = 0);
