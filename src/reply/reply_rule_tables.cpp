// The rule tables that route PJL answer lines to their handlers.
#include "core/shipped_tables.h"

namespace pat {

const ReplyRule kCommonReplyTable[] = {
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

const ReplyRule kFamilyReplyTable[] = {
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace pat
