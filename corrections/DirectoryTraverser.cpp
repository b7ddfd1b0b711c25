// corrections/DirectoryTraverser.cpp
#include "corrections/DirectoryTraverser.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

namespace {

const std::string kProcessedSuffix = ".processed";

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool DirectoryTraverser::ShouldSkip(const std::string& szName) const {
  return std::find(m_vszFilesToSkip.begin(), m_vszFilesToSkip.end(), szName) !=
         m_vszFilesToSkip.end();
}

PosixDirectoryTraverser::PosixDirectoryTraverser(const std::string& szDir)
    : DirectoryTraverser(szDir) {
  std::replace(m_szDir.begin(), m_szDir.end(), '\\', '/');
  if (m_szDir.size() >= 2 && m_szDir.compare(m_szDir.size() - 2, 2, "/*") == 0)
    m_szDir.erase(m_szDir.size() - 2);
}

void PosixDirectoryTraverser::ReadEntries() {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(m_szDir.c_str()), &::closedir);
  if (!dir) return;
  std::set<std::string> names;
  while (const dirent* entry = ::readdir(dir.get())) names.insert(entry->d_name);
  for (const std::string& name : names) {
    if (name.size() > kProcessedSuffix.size() &&
        name.compare(name.size() - kProcessedSuffix.size(), kProcessedSuffix.size(),
                     kProcessedSuffix) == 0 &&
        names.count(name.substr(0, name.size() - kProcessedSuffix.size())))
      continue;
    if (name == "." || name == ".." || IsDirectory(m_szDir + "/" + name)) continue;
    m_vszEntries.push_back(name);
  }
}

bool PosixDirectoryTraverser::getNextFile(std::string& szFile) {
  if (!m_bStarted) {
    m_bStarted = true;
    ReadEntries();
  }
  while (m_iNext < m_vszEntries.size()) {
    const std::string& name = m_vszEntries[m_iNext++];
    if (ShouldSkip(name)) continue;
    szFile = m_szDir + "/" + name;
    return true;
  }
  return false;
}

std::unique_ptr<DirectoryTraverser> DirectoryTraverserFactory::createTraverser(
    const std::string& szDir) {
  return std::make_unique<PosixDirectoryTraverser>(szDir);
}
