// The object list: game objects in descending depth order under names unique without regard to
// case, with the per-frame update and the input broadcasts.
#include "framework/ObjectList.h"

#include "framework/GenericObject.h"
#include "framework/ThrowErrorText.h"
#include "platform/win/kernel/AsciiCase.h"

ObjectList::~ObjectList() {
  Clear();
}

void ObjectList::Insert(GenericObject* object) {
  if (!object) return;
  if (Find(object->GetName())) ThrowErrorText("Error: Object with duplicate name '%s'\n", object->GetName());
  Link* link = new Link{nullptr, object};
  ++m_count;
  const int32_t z = object->GetZ();
  if (!m_head || z >= m_head->object->GetZ()) {
    link->next = m_head;
    m_head = link;
    return;
  }
  Link* before = m_head;
  while (before->next && before->next->object->GetZ() > z) before = before->next;
  link->next = before->next;
  before->next = link;
}

void ObjectList::Remove(GenericObject* object) {
  for (Link** at = &m_head; *at; at = &(*at)->next) {
    Link* link = *at;
    if (link->object != object) continue;
    if (m_held == link) m_held = link->next;
    *at = link->next;
    delete link;
    --m_count;
    return;
  }
}

GenericObject* ObjectList::Find(const char* name) const {
  if (!name) return nullptr;
  for (const Link* link = m_head; link; link = link->next) {
    if (plat::EqualsIgnoringCase(link->object->GetName(), name)) return link->object;
  }
  return nullptr;
}

GenericObject* ObjectList::At(int32_t index) const {
  if (index < 0) return nullptr;
  const Link* link = m_head;
  for (; link && index > 0; --index) link = link->next;
  return link ? link->object : nullptr;
}

void ObjectList::Clear() {
  while (m_head) {
    Link* next = m_head->next;
    delete m_head;
    m_head = next;
  }
  m_count = 0;
  // A walk that clears the list from inside a call ends there.
  m_held = nullptr;
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
