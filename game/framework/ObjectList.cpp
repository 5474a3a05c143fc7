// The object list: game objects in descending depth order under names unique without regard to
// case, with the per-frame update and the input broadcasts.
#include "framework/ObjectList.h"

#include <algorithm>

#include "framework/GenericObject.h"
#include "framework/ThrowErrorText.h"
#include "platform/win/kernel/AsciiCase.h"

namespace {

// Runs are split when they grow past this and joined with the run before when they shrink so far
// that both fit in one.
constexpr size_t kLongestRun = 64;

}  // namespace

ObjectList::~ObjectList() {
  Clear();
}

ObjectList::Listings& ObjectList::AllListings() {
  // Never destroyed: lists that outlive the others at the end of the program still leave it.
  static Listings* listings = new Listings;
  return *listings;
}

void ObjectList::Insert(GenericObject* object) {
  if (!object) return;
  std::string name = plat::AsciiLower(object->GetName());
  if (m_names.count(name)) ThrowErrorText("Error: Object with duplicate name '%s'\n", object->GetName());
  auto link = std::make_unique<Link>(Link{nullptr, object, this, nullptr, object->GetZ(), nullptr});
  const auto named = m_names.emplace(std::move(name), link.get()).first;
  try {
    AllListings().emplace(object, link.get());
  } catch (...) {
    m_names.erase(named);
    throw;
  }
  link->name = &named->first;
  ++m_count;
  Place(link.release());
}

void ObjectList::Remove(GenericObject* object) {
  Link* link = LinkOf(object);
  if (!link) return;
  if (m_held == link) m_held = link->next;
  Unplace(link);
  const std::string name = *link->name;
  m_names.erase(name);
  Listings& listings = AllListings();
  for (auto [at, end] = listings.equal_range(object); at != end; ++at) {
    if (at->second != link) continue;
    listings.erase(at);
    break;
  }
  delete link;
  --m_count;
}

GenericObject* ObjectList::Find(const char* name) const {
  if (!name) return nullptr;
  const auto found = m_names.find(plat::AsciiLower(name));
  return found == m_names.end() ? nullptr : found->second->object;
}

GenericObject* ObjectList::At(int32_t index) const {
  if (index < 0) return nullptr;
  const size_t wanted = static_cast<size_t>(index);
  if (m_atBlock >= m_blocks.size() || wanted < m_atFirst) {
    m_atBlock = 0;
    m_atFirst = 0;
  }
  for (; m_atBlock < m_blocks.size(); ++m_atBlock) {
    const std::vector<Link*>& links = m_blocks[m_atBlock]->links;
    if (wanted - m_atFirst < links.size()) return links[wanted - m_atFirst]->object;
    m_atFirst += links.size();
  }
  m_atBlock = 0;
  m_atFirst = 0;
  return nullptr;
}

void ObjectList::Clear() {
  Listings& listings = AllListings();
  while (m_head) {
    Link* next = m_head->next;
    // The object may be gone already: only its address is used.
    for (auto [at, end] = listings.equal_range(m_head->object); at != end; ++at) {
      if (at->second != m_head) continue;
      listings.erase(at);
      break;
    }
    delete m_head;
    m_head = next;
  }
  m_blocks.clear();
  m_atBlock = 0;
  m_atFirst = 0;
  m_names.clear();
  m_count = 0;
  // A walk that clears the list from inside a call ends there.
  m_held = nullptr;
}

void ObjectList::DepthChanged(const GenericObject& object) {
  for (auto [at, end] = AllListings().equal_range(&object); at != end; ++at) {
    Link* link = at->second;
    link->owner->SetDepth(link, object.GetZ());
  }
}

ObjectList::Link* ObjectList::LinkOf(const GenericObject* object) const {
  if (!object) return nullptr;
  for (auto [at, end] = AllListings().equal_range(object); at != end; ++at) {
    if (at->second->owner == this) return at->second;
  }
  return nullptr;
}

ObjectList::Link* ObjectList::LinkBefore(const Block& block, size_t position) const {
  if (position > 0) return block.links[position - 1];
  return block.index > 0 ? m_blocks[block.index - 1]->links.back() : nullptr;
}

// In front of the first object, from the head, whose depth is equal or smaller; else at the end.
void ObjectList::Place(Link* link) {
  const int32_t z = link->z;
  for (const std::unique_ptr<Block>& block : m_blocks) {
    if (block->minZ > z) continue;
    const auto& links = block->links;
    const auto at = std::find_if(links.begin(), links.end(), [z](const Link* l) { return l->z <= z; });
    PlaceAt(*block, static_cast<size_t>(at - links.begin()), link);
    return;
  }
  if (m_blocks.empty()) {
    m_blocks.push_back(std::make_unique<Block>());
    m_blocks.back()->minZ = z;
  }
  Block& last = *m_blocks.back();
  PlaceAt(last, last.links.size(), link);
}

void ObjectList::PlaceAt(Block& block, size_t position, Link* link) {
  m_atBlock = 0;
  m_atFirst = 0;
  Link* before = LinkBefore(block, position);
  Link*& from = before ? before->next : m_head;
  link->next = from;
  from = link;
  if (block.links.empty() || link->z < block.minZ) block.minZ = link->z;
  block.links.insert(block.links.begin() + static_cast<ptrdiff_t>(position), link);
  link->block = &block;
  if (block.links.size() > kLongestRun) Split(block);
}

void ObjectList::Unplace(Link* link) {
  m_atBlock = 0;
  m_atFirst = 0;
  Block& block = *link->block;
  const auto at = std::find(block.links.begin(), block.links.end(), link);
  const size_t position = static_cast<size_t>(at - block.links.begin());
  Link* before = LinkBefore(block, position);
  (before ? before->next : m_head) = link->next;
  block.links.erase(at);
  if (block.links.empty()) {
    EraseBlock(block.index);
    return;
  }
  if (link->z == block.minZ) FindMin(block);
  // A run that shrank so far that it fits into the one before it joins that one.
  if (block.index == 0) return;
  Block& previous = *m_blocks[block.index - 1];
  if (previous.links.size() + block.links.size() > kLongestRun / 2) return;
  for (Link* moved : block.links) moved->block = &previous;
  previous.links.insert(previous.links.end(), block.links.begin(), block.links.end());
  previous.minZ = std::min(previous.minZ, block.minZ);
  EraseBlock(block.index);
}

void ObjectList::SetDepth(Link* link, int32_t z) {
  const int32_t old = link->z;
  link->z = z;
  Block& block = *link->block;
  if (z < block.minZ) {
    block.minZ = z;
  } else if (old == block.minZ && z > old) {
    FindMin(block);
  }
}

void ObjectList::Split(Block& block) {
  auto second = std::make_unique<Block>();
  const auto half = block.links.begin() + static_cast<ptrdiff_t>(block.links.size() / 2);
  second->links.assign(half, block.links.end());
  block.links.erase(half, block.links.end());
  for (Link* moved : second->links) moved->block = second.get();
  FindMin(block);
  FindMin(*second);
  m_blocks.insert(m_blocks.begin() + static_cast<ptrdiff_t>(block.index) + 1, std::move(second));
  for (size_t i = block.index + 1; i < m_blocks.size(); ++i) m_blocks[i]->index = i;
}

void ObjectList::EraseBlock(size_t index) {
  m_blocks.erase(m_blocks.begin() + static_cast<ptrdiff_t>(index));
  for (size_t i = index; i < m_blocks.size(); ++i) m_blocks[i]->index = i;
}

void ObjectList::FindMin(Block& block) {
  block.minZ = block.links.front()->z;
  for (const Link* link : block.links) block.minZ = std::min(block.minZ, link->z);
}

template <typename Visit>
bool ObjectList::Walk(Visit visit) {
  bool taken = false;
  for (Link* link = m_head; link && !taken; link = m_held) {
    m_held = link->next;
    taken = visit(*link->object);
  }
  m_held = nullptr;
  return taken;
}

void ObjectList::UpdateAll() {
  Walk([](GenericObject& object) {
    object.Update();
    return false;
  });
}

GenericObject* ObjectList::FindActiveAt(int32_t x, int32_t y) {
  GenericObject* found = nullptr;
  Walk([&found, x, y](GenericObject& object) {
    if (!object.IsActive() || !object.HitTest(x, y)) return false;
    found = &object;
    return true;
  });
  return found;
}

bool ObjectList::BroadcastLeftButtonDown(const InputEventInfo& input) {
  return Walk([&input](GenericObject& object) { return object.OnLeftButtonDown(input); });
}

bool ObjectList::BroadcastLeftButtonUp(const InputEventInfo& input) {
  return Walk([&input](GenericObject& object) { return object.OnLeftButtonUp(input); });
}

bool ObjectList::BroadcastRightButtonDown(const InputEventInfo& input) {
  return Walk([&input](GenericObject& object) { return object.OnRightButtonDown(input); });
}

bool ObjectList::BroadcastRightButtonUp(const InputEventInfo& input) {
  return Walk([&input](GenericObject& object) { return object.OnRightButtonUp(input); });
}

bool ObjectList::BroadcastChar(uint16_t code) {
  return Walk([code](GenericObject& object) { return object.OnChar(code); });
}

bool ObjectList::BroadcastKeyUp(uint16_t code) {
  return Walk([code](GenericObject& object) { return object.OnKeyUp(code); });
}

bool ObjectList::BroadcastKeyDown(uint16_t code) {
  return Walk([code](GenericObject& object) { return object.OnKeyDown(code); });
}
