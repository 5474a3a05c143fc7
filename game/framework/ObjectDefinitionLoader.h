// The reader of object-definition files: headers that create objects through the factories and
// key = value lines for the object last created.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class GenericObject;
class ObjectList;

// Lines end at CR, LF or a zero byte and hold at most kLineCapacity - 1 characters (the rest of a
// longer line is dropped); a last line without a line end is not read. Text from ';' on is a
// comment. A line with '[' is a header: class name, object name and sprite name (missing words are
// empty). Any other line with '=' gives its first word before the '=' as the key and the trimmed
// text after it as the value.
class ObjectDefinitionLoader {
public:
  static constexpr size_t kLineCapacity = 256;

  static ObjectDefinitionLoader& Instance();

  ObjectDefinitionLoader(const ObjectDefinitionLoader&) = delete;
  ObjectDefinitionLoader& operator=(const ObjectDefinitionLoader&) = delete;

  // The "txt " resource of that name, each object created inserted into the list. False, with the
  // list untouched, when the resource cannot be opened. A duplicate name or a sprite that cannot be
  // loaded throws its text as a C string; the object that caused it is deleted and the objects
  // listed before it stay listed.
  bool Load(const char* resourceName, ObjectList& list);
  // Reads and handles one line; false when no line is left.
  bool ParseLine(ObjectList& list);
  // The next line into the buffer, zero-terminated; false when the data ends before a line end.
  bool ReadLine(char* buffer, size_t capacity);

private:
  ObjectDefinitionLoader() = default;

  void ParseHeader(const char* line, ObjectList& list);
  void ParseProperty(const char* line);

  GenericObject* m_current = nullptr;
  std::unique_ptr<uint8_t[]> m_data;
  uint32_t m_position = 0;
  uint32_t m_size = 0;
};
