// The image's version resource: type 16 in its resource tree, first name,
// first language. The version functions read it as the file's version
// information, as Windows reads it out of the DLL's file.
#include "peloader/pe_steps.h"

namespace pat::pe {

namespace {

constexpr uint32_t kVersionType = 16;

// The entry of a directory (offset from the resource section's start) with
// the given integer identifier, or its first entry when id is 0.
const ResourceDirectoryEntry *Entry(const Image &image, uint32_t root, uint32_t directory, uint32_t id) {
    const ResourceDirectory *dir = image.At<ResourceDirectory>(root + directory);
    if (dir == nullptr) return nullptr;
    uint32_t count = dir->numberOfNamedEntries + dir->numberOfIdEntries;
    const ResourceDirectoryEntry *entries =
        image.At<ResourceDirectoryEntry>(root + directory + sizeof(ResourceDirectory), count);
    for (uint32_t i = 0; entries != nullptr && i < count; ++i)
        if (id == 0 || entries[i].name == id) return &entries[i];
    return nullptr;
}

}  // namespace

bool FindVersionResource(const Image &image, const void **data, uint32_t *size) {
    uint32_t root = image.Directory(kResourceDirectory).rva;
    if (root == 0) return false;
    const ResourceDirectoryEntry *type = Entry(image, root, 0, kVersionType);
    if (type == nullptr || !(type->offset & kResourceSubdirectory)) return false;
    const ResourceDirectoryEntry *name = Entry(image, root, type->offset & ~kResourceSubdirectory, 0);
    if (name == nullptr || !(name->offset & kResourceSubdirectory)) return false;
    const ResourceDirectoryEntry *language = Entry(image, root, name->offset & ~kResourceSubdirectory, 0);
    if (language == nullptr || (language->offset & kResourceSubdirectory)) return false;
    const ResourceDataEntry *leaf = image.At<ResourceDataEntry>(root + language->offset);
    if (leaf == nullptr || image.At<uint8_t>(leaf->rva, leaf->size) == nullptr) return false;
    *data = image.base + leaf->rva;
    *size = leaf->size;
    return true;
}

}  // namespace pat::pe
