// corrections/DirectoryTraverser.h
#pragma once

#include <memory>
#include <string>
#include <vector>

// Delivers the correction logs of one directory, one file name at a time.
class DirectoryTraverser {
 public:
  explicit DirectoryTraverser(const std::string& szDir) : m_szDir(szDir) {}
  virtual ~DirectoryTraverser() = default;
  DirectoryTraverser(const DirectoryTraverser&) = delete;
  DirectoryTraverser& operator=(const DirectoryTraverser&) = delete;

  // The next file as the directory, "/" and the entry's name; false when no
  // entry is left or the directory cannot be read.
  virtual bool getNextFile(std::string& szFile) = 0;

  // Entry names never delivered; "." and ".." from the start.
  void AddFileToSkip(const std::string& szName) { m_vszFilesToSkip.push_back(szName); }
  bool ShouldSkip(const std::string& szName) const;

 protected:
  bool m_bStarted = false;
  std::string m_szDir;
  std::vector<std::string> m_vszFilesToSkip{".", ".."};
};

// Reads the directory on the first getNextFile and delivers its files sorted
// by name (byte order), so that a run visits logs in the same order on every
// machine. Subdirectories are not delivered, nor the ".processed" copy of a
// log in the same directory (the pre-processing writes it there).
class PosixDirectoryTraverser : public DirectoryTraverser {
 public:
  // Backslashes become slashes and a trailing "/*" is dropped, so logs,
  // logs/* and logs\* name the same directory.
  explicit PosixDirectoryTraverser(const std::string& szDir);

  bool getNextFile(std::string& szFile) override;

 private:
  void ReadEntries();

  std::vector<std::string> m_vszEntries;
  size_t m_iNext = 0;
};

class DirectoryTraverserFactory {
 public:
  static std::unique_ptr<DirectoryTraverser> createTraverser(const std::string& szDir);
};
