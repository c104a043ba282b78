// The fetcher's window icon, drawn rather than shipped as a file.
#pragma once

#include <QIcon>

namespace quillon::fetcher {

QIcon FetcherIcon();

}  // namespace quillon::fetcher
