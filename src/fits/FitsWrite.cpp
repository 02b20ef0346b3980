// Writing a record as a FITS file: a primary HDU holding a one-dimensional
// BITPIX -32 image, every header entry a card.

#include "FitsSupport.h"

#include "FFile.h"
#include "Messages.h"
#include "SafeSave.h"

#include <strings.h>

using namespace FitsSupport;

namespace Fits {

bool Write(const FFile& file)
{
    if (!file.HasName()) {
        Messages::error(kClass, "can't write unnamed file");
        return false;
    }
    const std::string& name = file.GetName();
    if (name.size() > 3 && strcasecmp(name.c_str() + name.size() - 3, ".gz") == 0) {
        Messages::error(kClass, "can't write compressed file " + name);
        return false;
    }
    SafeSave save;
    if (!save.begin(file.GetName(), false)) {
        Messages::error(kClass, "write error");
        return false;
    }
    int status = 0;
    std::vector<std::string> notKept;
    {
        Handle h;
        // The temporary name is taken literally, whatever its folder is called.
        if (ffdkinit(&h.f, save.tempPath().c_str(), &status)) {
            h.f = nullptr;
        } else {
            LONGLONG n = file.Count();
            ffcrimll(h.f, FLOAT_IMG, 1, &n, &status);
            // cfitsio's own note on the standard is no entry of the record.
            while (status == 0 && ffdkey(h.f, "COMMENT", &status) == 0) {
            }
            if (status == KEY_NO_EXIST) {
                status = 0;
                ffcmsg();
            }
            writeCards(h.f, file, notKept, status);
            // BSCALE and BZERO describe the file's samples to later readers;
            // the physical values in memory are written as they are.
            ffrdef(h.f, &status);
            ffpscl(h.f, 1.0, 0.0, &status);
            if (n > 0)
                ffppr(h.f, TFLOAT, 1, n, const_cast<float*>(file.Data()), &status);
            ffclos(h.f, &status);
            h.f = nullptr;
        }
    }
    if (status != 0 || !save.commit()) {
        ffcmsg();
        Messages::error(kClass, "write error");
        return false;
    }
    if (!notKept.empty()) {
        std::string list;
        for (const std::string& id : notKept)
            list += (list.empty() ? "" : ", ") + id;
        Messages::error(kClass, "header entries not kept exactly in " + file.GetName() + ": " + list);
    }
    return true;
}

}  // namespace Fits
