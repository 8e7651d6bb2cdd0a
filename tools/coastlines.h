#pragma once
// Turns land polygons from a TopoJSON file (quantised, delta-encoded arcs) into the world's
// coastline source: "ring GROUP" lines followed by longitude/latitude pairs, one group per
// polygon (its outer ring and its holes), simplified to the scale of the region base map.
#include <string>

struct TCoastlineOptions {
  double Tolerance = 0.1;   // Douglas-Peucker tolerance in degrees (the 512 map has 0.7 a pixel)
  double MinArea = 0.25;    // polygons and holes smaller than this (square degrees) are left out
  double SouthLimit = -60;  // polygons lying wholly south of this latitude are left out
};

// Json: the TopoJSON text; Object: the name of a Polygon, MultiPolygon or GeometryCollection of
// them under "objects". Returns the coastline text, starting with the lines of Header as comments.
// Throws std::runtime_error on malformed input.
std::string ConvertTopoJSON(const std::string& Json, const std::string& Object, const TCoastlineOptions& Options,
                            const std::string& Header);
