// Takes the README's picture of the fetcher window paused mid-crawl: a crawl
// from START in FOLDER (whose setting.ini names a running service) is paused
// after a number of products, grabbed while it holds, then stopped. Runs on the
// offscreen platform; no display needed.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <string>

#include "fetcher/curl_easy.h"
#include "fetcher/pacing_clock.h"
#include "fetcher/ui/form_main.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: fetcher_paused_screenshot FOLDER START OUT.png\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  using namespace quillon::fetcher;
  const CurlGlobal curl;
  PacingClock clock;
  const HttpGetter get = MakeCurlGetter();
  int requests = 0;
  FormMain* window = nullptr;
  FormMain form(
      argv[1],
      [&](const std::string& url, std::vector<std::uint8_t>& buffer, const HttpTimeouts& limits) {
        // Pause is pressed while the 40th request is in flight.
        if (++requests == 40)
          QMetaObject::invokeMethod(window->CommandPause, "click", Qt::QueuedConnection);
        return get(url, buffer, limits);
      },
      clock);
  window = &form;
  form.setProgramEnder([](int) {});
  form.setQuestion([](std::string_view, bool yesByDefault) { return yesByDefault; });
  form.host().setMessageNotice([](std::string_view) {});
  bool saved = false;
  form.host().setPauseHook([&] {
    saved = form.grab().save(QString::fromLocal8Bit(argv[3]));
    QMetaObject::invokeMethod(form.CommandStop, "click", Qt::QueuedConnection);
  });
  form.show();
  form.TextStartProductASIN->setText(QString::fromLocal8Bit(argv[2]));
  form.CommandGetSimilarities->click();
  if (!saved) {
    std::fprintf(stderr, "no picture written to %s (%d requests)\n", argv[3], requests);
    return 1;
  }
  return 0;
}
