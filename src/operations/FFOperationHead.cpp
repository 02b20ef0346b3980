// The output head of a multi-file operation: non-critical entries merged
// from the operands' heads, observation keywords reconciled, the axis of the
// common grid, and a HISTORY naming the operation and its operands.

#include "FFOperation.h"

#include "FFile.h"
#include "Messages.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kClass = "FFOperation";
constexpr std::size_t kMaxHistory = 1022;

// Declinations closer than this are the same pointing.
constexpr double kDeclinationTolerance = 0.0006;

double realOf(const FHead& head, std::string_view id)
{
    const HeadEntry* e = head.Find(id);
    return e ? textToReal(e->GetValue()) : 0.0;
}

}  // namespace

std::optional<std::string> FFOperation::ResolveKeyword(std::string_view keyword, ResolveRule rule,
                                                       double tolerance) const
{
    const FFile* active = ActiveOperand();
    const HeadEntry* own = active ? active->Find(keyword) : nullptr;
    if (!own)
        return std::nullopt;
    const std::string& text = own->GetValue();
    switch (rule) {
    case ResolveRule::Active:
        return text;
    case ResolveRule::AllEqualText:
        for (const FFile* p : order_)
            if (!p->ValueIs(keyword, text))
                return std::nullopt;
        return text;
    case ResolveRule::AllEqualWithin: {
        const double a = textToReal(text);
        for (const FFile* p : order_) {
            const HeadEntry* e = p->Find(keyword);
            if (!e || !(std::fabs(a - textToReal(e->GetValue())) <= tolerance))
                return std::nullopt;
        }
        return text;
    }
    }
    return std::nullopt;
}

std::unique_ptr<FHead> FFOperation::AssembleHead()
{
    const FFile* active = ActiveOperand();
    if (settings_.headMode != HeadMode::ActiveValues && settings_.headMode != HeadMode::EqualOnly) {
        Messages::error(kClass, "unhandled head merging mode");
        return nullptr;
    }
    auto head = std::make_unique<FHead>();

    // Non-critical entries, in the active head's order.
    for (int i = 0; i < active->EntryCount(); ++i) {
        const HeadEntry& e = active->EntryAt(i);
        if (e.ClassLetter() == 'c')
            continue;
        if (settings_.headMode == HeadMode::ActiveValues) {
            head->SetText(e.GetID(), e.GetValue());
        } else if (auto value = ResolveKeyword(e.GetID(), ResolveRule::AllEqualText)) {
            head->SetText(e.GetID(), *value);
        }
    }

    auto setActive = [&](std::string_view id) {
        if (auto value = ResolveKeyword(id, ResolveRule::Active))
            head->SetText(id, *value);
    };
    setActive("BITPIX");
    setActive("NAXIS");

    if (active->GetXMode() == XModeNone) {
        for (const char* id : {"DEC", "OBSDEC", "TIMEESH", "TIMEWSH", "NUT-RA"})
            head->SetText(id, "0.0");
    } else {
        if (auto dec = ResolveKeyword("DEC", ResolveRule::AllEqualWithin, kDeclinationTolerance)) {
            head->SetText("DEC", *dec);
        } else if (settings_.checkDeclination) {
            Messages::error(kClass, "nonequal declinations");
            return nullptr;
        } else {
            setActive("DEC");
        }
        setActive("OBSDEC");
        if (settings_.keepActiveOffsets && (settings_.offsetFlags & OffsetNoHorns)) {
            setActive("TIMEESH");
            setActive("TIMEWSH");
        } else {
            // Same difference as the active pair, mean zero.
            const double east = realOf(*active, "TIMEESH");
            const double west = realOf(*active, "TIMEWSH");
            head->SetReal("TIMEESH", (east - west) * 0.5);
            head->SetReal("TIMEWSH", (west - east) * 0.5);
        }
        if (settings_.keepActiveOffsets && (settings_.offsetFlags & OffsetNoNutation))
            setActive("NUT-RA");
        else
            head->SetText("NUT-RA", "0.0");
    }

    const double tolerance = std::fabs(xStep_) * 1e-6;
    head->SetInt("NAXIS1", n_);
    head->SetText("CTYPE1", xLabel_);
    head->SetText("CRVAL1", HeadEntry::FormatRealWithin(xStart_, tolerance));
    head->SetText("CRPIX1", "1.0");
    head->SetText("CDELT1", HeadEntry::FormatRealWithin(xStep_, tolerance / (n_ > 1 ? n_ : 1)));
    head->SetText("BUNIT", yUnits_);
    head->SetText("BSCALE", "1.0");
    head->SetText("BZERO", "0.0");

    std::string history = historyName_ + "(";
    for (std::size_t k = 0; k < listed_.size(); ++k) {
        if (k > 0)
            history += ",";
        history += listed_[k]->GetShortName();
    }
    history += ")";
    head->SetText("HISTORY", history.substr(0, kMaxHistory));

    if (!head->QControl()) {
        Messages::error(kClass, "output FFile head hasn't passed QControl");
        return nullptr;
    }
    return head;
}
