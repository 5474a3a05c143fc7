// The texts of the settings dialog, read from its UTF-16 caption file "PiloConfig.ini".
#pragma once

#include <string>
#include <vector>

// Lines of key=value after a two-byte byte-order mark, in little-endian UTF-16. Lines end with
// CR LF (a lone LF ends one too); lines starting with ";" or "[", empty lines and lines without
// "=" are skipped. Keys are ASCII; values are converted into the code page of the keyboard
// layout's language, cut to 255 bytes. Both are trimmed of blanks and tabs. Every read is bounded
// by the file's length: a file shorter than the mark or of odd length reads what whole units it has.
class CaptionTable {
public:
  // Finds the code page, then loads the file.
  explicit CaptionTable(const char* fileName);
  virtual ~CaptionTable();

  // The value of the first key equal to the given one without regard to case, else the default.
  virtual const char* GetString(const char* key, const char* defaultValue) const;
  // GetString with the default written as a decimal number, read back with atoi.
  virtual int GetInt(const char* key, int defaultValue) const;

  // The caption file of that name the dialog reads: the working folder's when it has one (a
  // translation put beside "Pilo.ini"), else the one beside the program, where the build puts it,
  // so the tool started in the game's data folder finds its texts.
  static std::string FindFile(const char* fileName);

  // Appends the file's pairs. A file that cannot be opened is reported in an "Error" box
  // ("Error: Can't open config file " and the name) and adds nothing; false then.
  bool Load(const char* fileName);

  int GetCodePage() const { return m_codePage; }

private:
  void Parse(const std::u16string& units);
  void AddLine(const char16_t* begin, const char16_t* end);

  int m_codePage = 0;
  std::vector<std::string> m_keys;
  std::vector<std::string> m_values;
};
