// The base blocks of a snapshot, read into a staging record so a damaged file changes nothing.
#include "engine/BaseSnapshot.h"

namespace {

void WriteList(SnapshotWriter& out, const std::vector<Card>& cards) {
  out.PutInt32(static_cast<std::int32_t>(cards.size()));
  out.PutCards(cards);
}

bool ReadList(SnapshotReader& in, std::vector<Card>& cards) {
  std::int32_t count = 0;
  if (!in.GetInt32(count) || count < 0 || count > kMaxSpareListCards) return false;
  std::vector<Card> read(static_cast<std::size_t>(count));
  if (!in.GetCards(read)) return false;
  for (const Card& card : read)
    if (!IsRealCard(card)) return false;
  cards = std::move(read);
  return true;
}

}  // namespace

void WriteBaseState(SnapshotWriter& out, const Deck& deck, const std::vector<Card>& spare1,
                    const std::vector<Card>& spare2) {
  out.PutBytes(deck.SaveImage());
  WriteList(out, spare1);
  WriteList(out, spare2);
}

bool ReadBaseState(SnapshotReader& in, BaseState& state) {
  const auto image = in.GetBytes(kDeckImageSize);
  if (!in.Ok() || !state.deck.LoadImage(image)) return false;
  return ReadList(in, state.spare1) && ReadList(in, state.spare2);
}
