#pragma once
// Where tests keep what a person looks at afterwards (screenshots, logs): the
// folder "artifacts" beside the test executable, in the build tree. And where
// they keep the files they only write to read them back.

#include <string>

// Full Windows path of a file in the artifacts folder; the folder is created.
std::string TestArtifactPath(const char* fileName);

// A folder of the test process's own below the user's temporary folder:
// prefix and process id, with the trailing backslash; created. The caller
// removes it.
std::string TestTemporaryFolder(const char* prefix);
