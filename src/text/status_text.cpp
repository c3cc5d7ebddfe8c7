// Filling the template of the first message with the texts of its slots.
#include <string.h>

#include "platform/platform.h"
#include "text/status_text.h"
#include "text/string_resources.h"

namespace pat {

Status ComposeStatusText(const StatusRequest *request, RecordArray *messages, uint32_t option, char *text,
                         uint32_t capacity) {
    if (capacity == 0) return kNotFound;
    text[0] = '\0';
    const StringMapRow *map =
        FindStringMap(IsNegativeClass(request->deviceClass) ? kNegativeTemplateKind : kTemplateKind, option);
    if (map == nullptr) return kNotFound;
    // Without a message there is no template to show.
    MessageRecord first;
    if (!RecordArrayCopy(messages, 1, &first)) return kNotFound;
    char templateText[kTemplateCapacity];
    Status status = LoadMappedString(map, first.templateKey, templateText, sizeof templateText);
    if (status != kOk) return status;

    // Slot n is the n-th marker that received text; a marker whose slot fails
    // or would overflow the text is dropped. Literal text is cut at the limit.
    char slotText[kSlotCapacity];
    uint32_t written = 0;
    uint32_t slot = 1;
    for (const char *at = templateText; *at != '\0'; ++at) {
        if (at[0] == '%' && at[1] == 's') {
            ++at;
            if (ComposeSlotText(messages, slotText, slot) != kOk) continue;
            uint32_t length = static_cast<uint32_t>(lstrlenA(slotText));
            if (written + length >= capacity) continue;
            memcpy(text + written, slotText, length);
            written += length;
            ++slot;
            continue;
        }
        if (written + 1 >= capacity) break;
        text[written++] = *at;
    }
    text[written] = '\0';
    return kOk;
}

}  // namespace pat
