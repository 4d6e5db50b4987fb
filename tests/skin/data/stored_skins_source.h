#pragma once
// Makes the program's stored skins available as resources to the tests: on Windows they are in
// the test program itself; natively the packed files are registered from the build folder.
namespace sktest {

void ProvideStoredSkinResources();

}  // namespace sktest
