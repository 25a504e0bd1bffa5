#include "UsageText.h"

#include "AppInfo.h"

namespace quorvel::app {

using namespace Qt::StringLiterals;

QString usageText() {
    return uR"(Usage: quorvel [PICTURE]
       quorvel --help | --version

Corrects the exposure of a photograph. Without an option the window opens; the whole argument
text is the path of the picture to open, with or without double quotes around it.

  --help           print this text and exit
  --version        print the name and version and exit
)"_s;
}

QString versionLine() {
    return u"%1 %2.%3.%4"_s.arg(kAppTitle)
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

}  // namespace quorvel::app
