#pragma once
// Where the pieces of a region's diorama stand. The region details window and the espionage
// window draw the same town on the same nine building slots; each routine multiplies the current
// matrix, so callers push and pop around it.

// The orthographic volume the dioramas are seen through (multiplies the projection matrix).
void DioramaVolume();
// Looking down on the ground at 40 degrees, turned by 45 (multiplies the model-view matrix).
void DioramaTurn();
// The town's background and street models on the ground behind the slots.
void DioramaTownPlace();
// Building slot Slot (0 to 8): row Slot / 3 and column Slot % 3 of the region's buildings, each
// building turned to face the street.
void DioramaSlotPlace(int Slot);
