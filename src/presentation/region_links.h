#pragma once
// Small drawing helpers of the game's views: the screen-space arrow from a selected region to a
// neighbour, the tendency arrow beside a value, and angle conversions. The arrow's shape is
// computed apart from its drawing, so it can be checked without a context.
#include <array>

#include "engine/vectors.h"

double DegToRad(double X);
double RadToDeg(double X);

// Direction in degrees (counter-clockwise on the screen, 0 to below 360) from From to To in
// window pixels with y downwards; 0 for equal points.
double RegionLinkDirection(const TVector3& From, const TVector3& To);

// The arrow in window pixels: the head's triangle (To first) and the shaft's quad, rounded half
// to even, every z one below From's.
struct TRegionLinkShape {
  std::array<TVector3, 3> Head;
  std::array<TVector3, 4> Shaft;
};
// Length is the head's length in pixels and Angle its opening in degrees; both are scaled by
// the globe's Zoom x 0.5, so 50 and 50 give a 25-pixel head opening 25 degrees at zoom 1.
TRegionLinkShape RegionLinkShape(const TVector3& From, const TVector3& To, float Length, float Angle, float Zoom);
// Draws the arrow in the current colour, blending and orthographic projection.
void DrawRegionLink(const TVector3& From, const TVector3& To, float Length, float Angle, float Zoom);

// "gui_icon_tendency_up", "..._down" or "..._same" for a value and its previous value.
const char* TendencyIconName(float Current, float Previous);
// The 16 x 16 tendency icon at (X, Y, Z).
void DrawTendencyIcon(float Current, float Previous, float X, float Y, float Z);
