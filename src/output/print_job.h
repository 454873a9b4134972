// What a print job (the map or the data list) ends with: a status, whose
// detail (UTF-8) is the text shown to the user. kCancelled when the user
// stopped the job, kRefused for choices the page cannot take (nothing was
// sent), kIoError when the printer failed.
#pragma once

#include <QString>

#include "base/status.h"

class QPrinter;

namespace kartela::output {

// A map print's status and the pages that went out before it ended.
struct PrintResult {
  Status status;
  int pages = 0;
};

// A job that failed (or, with kRefused, was refused): `why`, with the
// printer or file it concerns on a second line.
Status PrintFailure(const QString& why, const QPrinter& printer,
                    StatusCode code = StatusCode::kIoError);

// A job the user stopped.
Status PrintCancelled();

}  // namespace kartela::output
