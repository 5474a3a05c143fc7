// The reader of object-definition files: headers that create objects through the factories and
// key = value lines for the object last created.
#include "framework/ObjectDefinitionLoader.h"

#include <cstring>
#include <new>
#include <string>

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "core/Stream.h"
#include "core/Trace.h"
#include "framework/GameObjectFactory.h"
#include "framework/GenericObject.h"
#include "framework/ObjectList.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

// The word at p up to the first of the stops or the end; p moves past it.
std::string TakeWord(const char*& p, const char* stops) {
  const char* start = p;
  while (*p && !std::strchr(stops, *p)) ++p;
  return std::string(start, p);
}

// Whatever happens while a resource is parsed, its buffer goes and no object stays current.
class LoadScope {
public:
  explicit LoadScope(std::unique_ptr<uint8_t[]>& data, uint32_t& position, uint32_t& size,
                     GenericObject*& current)
      : m_data(data), m_position(position), m_size(size), m_current(current) {}
  ~LoadScope() {
    m_data.reset();
    m_position = 0;
    m_size = 0;
    m_current = nullptr;
  }
  LoadScope(const LoadScope&) = delete;
  LoadScope& operator=(const LoadScope&) = delete;

private:
  std::unique_ptr<uint8_t[]>& m_data;
  uint32_t& m_position;
  uint32_t& m_size;
  GenericObject*& m_current;
};

}  // namespace

ObjectDefinitionLoader& ObjectDefinitionLoader::Instance() {
  static ObjectDefinitionLoader instance;
  return instance;
}

bool ObjectDefinitionLoader::Load(const char* resourceName, ObjectList& list) {
  if (!resourceName) return false;
  std::shared_ptr<Qel::Stream> stream;
  Qel::ResourceManager::GetInstance()->OpenStream(Qel::NameHash(resourceName), Qel::kTypeText, stream);
  if (!stream) return false;

  LoadScope scope(m_data, m_position, m_size, m_current);
  const uint32_t size = stream->GetSize();
  if (size == Qel::kInvalidStreamValue) {
    Qel::Trace("ERROR: ObjectDefinitionLoader: the size of \"%s\" is unknown\n", resourceName);
    return false;
  }
  // A resource too large for memory is read as an empty one rather than ending the program.
  m_data.reset(new (std::nothrow) uint8_t[size ? size : 1]);
  if (!m_data) {
    Qel::Trace("ERROR: ObjectDefinitionLoader: no memory for \"%s\"\n", resourceName);
    return false;
  }
  m_size = size;
  stream->Read(m_data.get(), m_size);
  // The count delivered, never more than the buffer holds.
  if (m_size > size) m_size = size;
  m_position = 0;
  while (ParseLine(list)) {
  }
  return true;
}

bool ObjectDefinitionLoader::ReadLine(char* buffer, size_t capacity) {
  if (capacity == 0) return false;
  std::memset(buffer, 0, capacity);
  size_t stored = 0;
  while (m_position < m_size) {
    const char c = static_cast<char>(m_data[m_position++]);
    if (c == '\0' || c == '\r' || c == '\n') return true;
    // The rest of a line too long for the buffer is dropped up to its end.
    if (stored < capacity - 1) buffer[stored++] = c;
  }
  return false;
}

bool ObjectDefinitionLoader::ParseLine(ObjectList& list) {
  char line[kLineCapacity];
  if (!ReadLine(line, sizeof(line))) return false;
  if (char* comment = std::strchr(line, ';')) *comment = '\0';
  if (std::strchr(line, '[')) {
    ParseHeader(line, list);
  } else if (std::strchr(line, '=')) {
    ParseProperty(line);
  }
  return true;
}

void ObjectDefinitionLoader::ParseHeader(const char* line, ObjectList& list) {
  const char* p = std::strchr(line, '[');
  while (*p == '[' || IsBlank(*p)) ++p;
  const std::string className = TakeWord(p, "[ \t");
  p = SkipBlanks(p);
  const std::string objectName = TakeWord(p, " \t]");
  p = SkipBlanks(p);
  const std::string spriteName = TakeWord(p, " \t]");

  m_current = nullptr;
  GenericObject* object = GameObjectFactory(className.c_str(), objectName.c_str(), spriteName.c_str());
  if (!object) return;
  // An object the list refuses belongs to no one: it goes before the error does.
  try {
    list.Insert(object);
  } catch (...) {
    delete object;
    throw;
  }
  m_current = object;
}

void ObjectDefinitionLoader::ParseProperty(const char* line) {
  if (!m_current) return;
  const char* equals = std::strchr(line, '=');
  const char* p = SkipBlanks(line);
  std::string key(p, equals);
  key = key.substr(0, key.find_first_of(" \t"));

  const char* valueStart = SkipBlanks(equals + 1);
  const char* valueEnd = valueStart + std::strlen(valueStart);
  while (valueEnd > valueStart && std::strchr(" \t\r\n", valueEnd[-1])) --valueEnd;
  const std::string value(valueStart, valueEnd);

  if (key.empty() || value.empty()) return;
  m_current->SetProperty(key.c_str(), value.c_str());
}
