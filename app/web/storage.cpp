#include "app/web/storage.h"

// web_storage.js
extern "C" {
int skycourseStorageLoad(const char* folder);
int skycourseStorageStore(const char* folder);
}

bool loadStoredFolder(const std::string& folder)
{
    return skycourseStorageLoad(folder.c_str()) != 0;
}

bool storeFolder(const std::string& folder)
{
    return skycourseStorageStore(folder.c_str()) != 0;
}
