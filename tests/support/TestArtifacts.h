#pragma once
// Where tests keep what a person looks at afterwards (screenshots, logs): the
// folder "artifacts" beside the test executable, in the build tree.

#include <string>

// Full Windows path of a file in the artifacts folder; the folder is created.
std::string TestArtifactPath(const char* fileName);
