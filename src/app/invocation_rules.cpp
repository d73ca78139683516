#include "app/invocation_rules.h"

#include "common/path_rules.h"

const WideChar FOLDER_SECTION_NAME[] = WIDE("folder");

const WideChar* ArgumentStringOf(const WideChar* rawCommandLine, size_t programPathLength) {
  size_t skip = programPathLength + (rawCommandLine[0] == '"' ? 3 : 1);
  size_t length = TextLength(rawCommandLine);
  return skip <= length ? rawCommandLine + skip : rawCommandLine + length;
}

const WideChar* SectionNameOf(const WideChar* targetPath, bool targetIsDirectory) {
  return targetIsDirectory ? FOLDER_SECTION_NAME : FindExtension(targetPath);
}
