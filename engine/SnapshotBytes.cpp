// Snapshot blocks byte by byte, little-endian whatever the machine.
#include "engine/SnapshotBytes.h"

void SnapshotWriter::PutInt32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    bytes_.push_back(static_cast<std::uint8_t>((bits >> shift) & 0xFFu));
}

void SnapshotWriter::PutCard(const Card& card) {
  PutInt32(card.suit);
  PutInt32(card.rank);
}

void SnapshotWriter::PutCards(std::span<const Card> cards) {
  for (const Card& card : cards) PutCard(card);
}

void SnapshotWriter::PutBytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

std::span<const std::uint8_t> SnapshotReader::GetBytes(std::size_t size) {
  if (!ok_ || bytes_.size() - offset_ < size) {
    ok_ = false;
    return {};
  }
  const auto view = bytes_.subspan(offset_, size);
  offset_ += size;
  return view;
}

bool SnapshotReader::GetInt32(std::int32_t& value) {
  const auto bytes = GetBytes(4);
  if (!ok_) return false;
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | bytes[static_cast<std::size_t>(i)];
  value = static_cast<std::int32_t>(bits);
  return true;
}

bool SnapshotReader::GetCard(Card& card) {
  Card read;
  if (!GetInt32(read.suit) || !GetInt32(read.rank)) return false;
  card = read;
  return true;
}

bool SnapshotReader::GetCards(std::span<Card> cards) {
  for (Card& card : cards)
    if (!GetCard(card)) return false;
  return true;
}
