#include "common/ui/window_texts.h"

#include <cerrno>
#include <cstring>

#include "common/texts.h"
#include "common/ui/translation.h"

namespace quillon {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

// Why a system call failed, for the reasons a user can act on; the system's own
// words otherwise.
QString Reason(const Failure& failure) {
  if (!failure.detail.empty()) return ToQString(failure.detail);
  switch (failure.error) {
    case ENOENT:
      return UiText(QUILLON_TEXT("quillon", "そのファイルやフォルダはない"));
    case EACCES:
    case EPERM:
      return UiText(QUILLON_TEXT("quillon", "アクセス権がない"));
    case EISDIR:
      return UiText(QUILLON_TEXT("quillon", "フォルダである"));
    case ENOTDIR:
      return UiText(QUILLON_TEXT("quillon", "途中にフォルダでないものがある"));
    case ENOSPC:
      return UiText(QUILLON_TEXT("quillon", "ディスクに空きがない"));
    case EDQUOT:
      return UiText(QUILLON_TEXT("quillon", "ディスクの割り当てを使い切った"));
    case EROFS:
      return UiText(QUILLON_TEXT("quillon", "読み取り専用のディスクである"));
    case ENAMETOOLONG:
      return UiText(QUILLON_TEXT("quillon", "名前が長すぎる"));
    default:
      return failure.error != 0 ? QString::fromLocal8Bit(std::strerror(failure.error))
                                : UiText(QUILLON_TEXT("quillon", "理由は不明"));
  }
}

}  // namespace

QString FailureMessage(const Failure& failure) {
  const QString subject = ToQString(failure.subject);
  switch (failure.kind) {
    case FailureKind::Message:
      return UnexpectedFailureMessage(failure.detail);
    case FailureKind::CannotReadFile:
      return UiText(QUILLON_TEXT("quillon", "%1 の読み込みに失敗したわけだが。（%2）"))
          .arg(subject, Reason(failure));
    case FailureKind::CannotWriteFile:
      return UiText(QUILLON_TEXT("quillon", "%1 の書き込みに失敗したわけだが。（%2）"))
          .arg(subject, Reason(failure));
    case FailureKind::EmptyFile:
      return UiText(QUILLON_TEXT("quillon", "%1 が空なわけだが。")).arg(subject);
    case FailureKind::NotARegularFile:
      return UiText(QUILLON_TEXT(
                        "quillon",
                        "%1 は普通のファイルではない（パイプかデバイス）ので読まないわけだが。"))
          .arg(subject);
    case FailureKind::NoStartProductFile:
      return UiText(QUILLON_TEXT("quillon",
                                 "%1 がないわけだが。先に fetcher で商品データを集めるか、"
                                 "データのあるフォルダを setting.ini の XMLPath に書いてくれ。"))
          .arg(subject);
    case FailureKind::NoStartAsin:
      return UiText(QUILLON_TEXT("quillon", "%1 の1行目に開始商品のASINがないわけだが。"))
          .arg(subject);
    case FailureKind::ProgramFolderMissing:
      return UiText(QUILLON_TEXT("quillon", "フォルダ %1 がないわけだが。")).arg(subject);
    case FailureKind::ProgramFolderNotAFolder:
      return UiText(QUILLON_TEXT("quillon", "%1 はフォルダではないわけだが。")).arg(subject);
    case FailureKind::ProgramFolderNotCreated:
      return UiText(QUILLON_TEXT("quillon", "フォルダ %1 を作れないわけだが。（%2）"))
          .arg(subject, Reason(failure));
    case FailureKind::RecordFolderMissing:
      return UiText(QUILLON_TEXT("quillon", "XMLPath のフォルダ %1 がないわけだが。")).arg(subject);
    case FailureKind::RecordFolderNotAFolder:
      return UiText(QUILLON_TEXT("quillon", "XMLPath の %1 はフォルダではないわけだが。"))
          .arg(subject);
    case FailureKind::RecordFolderLocked:
      return UiText(QUILLON_TEXT("quillon",
                                 "XMLPath のフォルダ %1 を開けないわけだが。（アクセス権がない）"))
          .arg(subject);
    case FailureKind::UnsafeAsin:
      return UiText(QUILLON_TEXT("quillon", "ASIN「%1」はファイル名に使えないわけだが。"))
          .arg(subject);
    case FailureKind::UnknownStartProduct:
      return UiText(QUILLON_TEXT("quillon", "開始商品のASIN「%1」の商品はないわけだが。"))
          .arg(subject);
    case FailureKind::MissingPrefix:
      return UiText(QUILLON_TEXT("quillon",
                                 "%1 の [RequestURL] に Prefix "
                                 "が無いか空なわけだが。書いてからもう一度押してくれ。"))
          .arg(subject);
    case FailureKind::NoProductData:
      return UiText(QUILLON_TEXT("quillon", "商品データを読み込んでいないわけだが。"));
    case FailureKind::NoKeyWords:
      return UiText(QUILLON_TEXT("quillon", "keywords.txt にキーワードがないわけだが。"));
  }
  return UnexpectedFailureMessage(FailureText(failure));
}

QString UnexpectedFailureMessage(std::string_view what) {
  return UiText(QUILLON_TEXT("quillon", "予期しないエラーが起きたわけだが。（%1）"))
      .arg(ToQString(what));
}

QString YesButtonText() {
  return UiText(QUILLON_TEXT("quillon", "はい"));
}

QString NoButtonText() {
  return UiText(QUILLON_TEXT("quillon", "いいえ"));
}

QString OkButtonText() {
  return UiText(QUILLON_TEXT("quillon", "OK"));
}

}  // namespace quillon
