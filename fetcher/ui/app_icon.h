// The fetcher's window icon, drawn rather than shipped as a file.
#pragma once

#include <QIcon>

namespace quillon {

QIcon FetcherIcon();

}  // namespace quillon
