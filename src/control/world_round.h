#pragma once
// The world's part of a round and the reader of the nation descriptions, shared by the game, the
// soak tool and the tests so that every caller plays the same rules in the same order.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class TXMLNode;

// Empties every nation's news; every region's round in index order, each followed by the round
// script of its finished buildings row by row; the nations' rounds 0..4; the turn of every
// computer nation 0..4 (AfterComputerTurn runs after each with its index); then marks the nations
// left without a region dead ("GameLost"). Returns the nations found dead now, in index order.
std::vector<std::uint8_t> RunWorldRound(const std::function<void(std::size_t)>& AfterComputerTurn = {});
// The three steps of RunWorldRound, in its order, for callers that time them one by one.
void RunRegionAndNationRounds();
void RunComputerTurns(const std::function<void(std::size_t)>& AfterComputerTurn = {});
std::vector<std::uint8_t> MarkDeadNations();

// Fills the nations from the root of "data\xml\nationinfo.xml": a name per language of the
// localisation database, the eight base factors, the water planes, the map colour and the globe
// rotation. Fewer than five nation elements, or a missing element or attribute, throw EDataError
// naming the place in the file.
void ReadNationInfo(const TXMLNode& Root);
