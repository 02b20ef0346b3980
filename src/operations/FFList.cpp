#include "FFList.h"

#include "Messages.h"

namespace {
constexpr const char* kClass = "FFList";
}

FFList::FFList(const FFList& source)
{
    for (FFile* file : source.entries_)
        Add(file);
    active_ = source.active_;
    if (!entries_.empty() && !active_)
        Messages::error(kClass, "active FFile is NULL");
}

void FFList::Add(FFile* file) { entries_.push_front(file); }

FFile* FFList::First()
{
    cursor_ = entries_.begin();
    return Next();
}

FFile* FFList::Next()
{
    if (cursor_ == entries_.end())
        return nullptr;
    FFile* file = *cursor_;
    ++cursor_;
    return file;
}

int FFList::Count() const
{
    int n = 0;
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        ++n;
    return n;
}

void FFList::Clear()
{
    entries_.clear();
    cursor_ = entries_.end();
}

bool FFList::SetActive(FFile* file)
{
    for (FFile* entry : entries_) {
        if (entry == file) {
            active_ = file;
            return true;
        }
    }
    Messages::error(kClass, "can't set given FFile as active");
    return false;
}
