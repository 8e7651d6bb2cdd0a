#include "world/earth.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/virtual_file_system.h"
#include "platform/errors.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"
#include "world/region.h"
#include "world/world_globals.h"
#include "world/xml_values.h"

namespace {
constexpr const char* LoadContext = "TEarth->LoadRegions->";

// The attribute of a region element that holds its neighbour k: "n0", "n1", ...
std::string NeighbourAttribute(std::size_t k) {
  std::string Name = "n";
  Name += std::to_string(k);
  return Name;
}

// One region element, read and checked before anything in gRegions changes.
struct TRegionRecord {
  std::int32_t X2D = 0, Y2D = 0;
  std::vector<std::string> Names;
  std::uint8_t Owner = 0;
  float Population = 0.0f, Defense = 0.0f, Loyality = 0.0f;
  TVector3 Position3D;
  bool HasCoast = false;
  std::string Setting;
  std::vector<std::int32_t> Neighbours;
};

TRegionRecord ReadRegion(const TXMLNode& Node, const std::vector<std::string>& LanguageCodes) {
  TRegionRecord R;
  // A 2D point off the region base map only leaves the region uncoloured on it.
  R.X2D = ReadIntAttribute(LoadContext, Node, "x_2D");
  R.Y2D = ReadIntAttribute(LoadContext, Node, "y_2D");
  // Language 0 first, so that a later language without a name of its own can take it.
  R.Names.resize(LanguageCodes.size());
  for (std::size_t L = 0; L < LanguageCodes.size(); ++L) {
    std::string Name = Node.AttributeOr("name_" + LowerAscii(LanguageCodes[L]), "");
    R.Names[L] = Name.empty() && L > 0 ? R.Names[0] : Name;
  }
  // The file counts owners from 1: nations 1-5, 6 nobody, 7 rebels. Any other owner would index
  // past the nations.
  R.Owner = static_cast<std::uint8_t>(ReadIntAttribute(LoadContext, Node, "owner", 1, 7) - 1);
  // Values outside the usual 0..100 load as written: the region's round keeps loyalty within 0..1
  // and population at 0 or above from its first round on.
  R.Population = ReadFloatAttribute(LoadContext, Node, "population");
  R.Defense = ReadFloatAttribute(LoadContext, Node, "defense");
  R.Loyality = ReadFloatAttribute(LoadContext, Node, "loyalty");
  R.Position3D.X = ReadFloatAttribute(LoadContext, Node, "x_3D");
  R.Position3D.Y = ReadFloatAttribute(LoadContext, Node, "y_3D");
  R.Position3D.Z = ReadFloatAttribute(LoadContext, Node, "z_3D");
  R.HasCoast = ReadBoolAttribute(LoadContext, Node, "hascoast");
  R.Setting = Node.AttributeOr("setting", "");
  // Read one by one: a count larger than the "n" attributes given fails at the first missing one
  // instead of reserving room for it.
  const std::int32_t Count = ReadIntAttribute(LoadContext, Node, "neighbors", 0);
  for (std::int32_t k = 0; k < Count; ++k)
    R.Neighbours.push_back(ReadIntAttribute(LoadContext, Node, NeighbourAttribute(static_cast<std::size_t>(k))));
  return R;
}
}  // namespace

void TEarth::Init(const std::string& FileName) {
  Atmosphere = 25000.0f;
  Life = 35000.0f;
  Zoom = 1.0f;
  SelectRegion(-1);
  LoadRegions(FileName);
  for (auto& Region : gRegions) Region->ResetBuildings();
}

void TEarth::SelectRegion(std::int32_t Index) {
  SelRegion = Index;
  gSelectedRegion = Index;
}

void TEarth::LoadRegions(const std::string& FileName) {
  if (!gVirtualFileSystem) throw ETarnovaError("TEarth->LoadRegions->No file system for \"" + FileName + "\"");
  TXMLDocument Document;
  gVirtualFileSystem->LoadXML(FileName, Document);
  LoadRegionsFromDocument(Document);
}

void TEarth::LoadRegionsFromDocument(const TXMLDocument& Document) {
  const TXMLNode Root = Document.Root();
  const std::vector<TXMLNode> Elements = Root ? Root.Children() : std::vector<TXMLNode>{};

  std::vector<TRegionRecord> Records;
  Records.reserve(Elements.size());
  for (const TXMLNode& Node : Elements) Records.push_back(ReadRegion(Node, gLocalization.LanguageCodes));

  // Neighbours index gRegions everywhere (computer opponents, drawing): check them here.
  const auto Count = static_cast<std::int32_t>(Records.size());
  for (std::size_t i = 0; i < Records.size(); ++i)
    for (std::size_t k = 0; k < Records[i].Neighbours.size(); ++k) {
      const std::int32_t N = Records[i].Neighbours[k];
      if (N < 0 || N >= Count)
        ThrowBadValue(LoadContext, Elements[i], NeighbourAttribute(k), std::to_string(N),
                      "expected a region index from 0 to " + std::to_string(Count - 1));
    }
  // Population is stored as a share of the largest region's; without any population there is
  // nothing to measure against.
  float MaxPopulation = 0.0f;
  for (const TRegionRecord& R : Records) MaxPopulation = std::max(MaxPopulation, R.Population);
  if (MaxPopulation <= 0.0f)
    throw EDataError(std::string(LoadContext) + "\"" + Document.FileName() +
                     "\": no region has a population above 0" + (Records.empty() ? " (the file has no region)" : ""));

  // Everything is checked: now the regions change.
  const std::size_t OldCount = gRegions.size();
  if (gRegions.size() != Records.size()) gRegions.resize(Records.size());
  for (std::size_t i = 0; i < Records.size(); ++i) {
    if (!gRegions[i]) gRegions[i] = std::make_unique<TRegion>();
    TRegion& Region = *gRegions[i];
    TRegionRecord& R = Records[i];
    if (i < OldCount) {
      // A new game reloads over the regions of the last one; what the file does not set starts
      // afresh as in a new region, so nothing of the old game carries over.
      Region.Growth = Region.GrowthLast = 0.0f;
      Region.Constant = 1.0f;
      Region.ConstantLast = 0.0f;
      Region.Ressources = Region.RessourcesLast = 0.0f;
      Region.Risk = Region.PreviousRisk = Region.ExpansionFactor = 0;
      Region.ScreenPosition = TVector3{};
    }
    Region.X2D = R.X2D;
    Region.Y2D = R.Y2D;
    Region.Names = std::move(R.Names);
    Region.Owner = R.Owner;
    Region.Population = R.Population;
    Region.Defense = R.Defense;
    Region.Loyality = R.Loyality;
    Region.Position3D = R.Position3D;
    Region.HasCoast = R.HasCoast;
    Region.Setting = std::move(R.Setting);
    Region.Neighbours = std::move(R.Neighbours);
    Region.ID = static_cast<std::int32_t>(i);
  }
  for (auto& RegionPtr : gRegions) {
    TRegion& Region = *RegionPtr;
    // Computed in double and stored once, so the largest region is exactly 1.0.
    Region.Population = static_cast<float>(static_cast<double>(Region.Population) / MaxPopulation);
    Region.Loyality = static_cast<float>(static_cast<double>(Region.Loyality) / 100.0);
    Region.Defense = static_cast<float>(static_cast<double>(Region.Defense) / 100.0);
    Region.PopulationLast = Region.Population;
    Region.LoyalityLast = Region.Loyality;
    Region.DefenseLast = Region.Defense;
    Region.Pollution = Region.PollutionLast = 0.0f;
    Region.Energy = Region.EnergyLast = 0.0f;
  }
}

void TEarth::Destroy() { gRegions.clear(); }
