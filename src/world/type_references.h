#pragma once
// The checks that need more than one data file: after the technologies, unit types and building
// types are loaded, the game verifies that the types the rules name are there, so that a broken
// data set stops start-up with a clear error instead of failing in the middle of a round. A
// needed technology that no technology has is no fault: its type is never available.
class TBuildingTypePool;
class TTechnologyTree;
class TUnitTypePool;

// Throws EDataError naming the file of the first fault: a missing unit type
// "INF_LIGHT", "INF_HEAVY", "AIR_FIGHTER" or "MOB_ENVCHANGER"; no rebel unit type (nation 6);
// a missing building type "building_airdefense" or "building_bunker".
void CheckTypeReferences(const TTechnologyTree& Technologies, const TUnitTypePool& Units,
                         const TBuildingTypePool& Buildings);
