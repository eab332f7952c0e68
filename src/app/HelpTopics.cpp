#include "HelpTopics.h"

#include "HTMLHelp.h"
#include "SmallRoutines.h"

#include <QCoreApplication>

namespace quavix {

namespace {
constexpr int IntroductionTopic = 110;
}

bool ShowHelpTopic(int context) {
    if (context != 0) {
        const bool shown = AppHelp().ShowContext(context);
        if (!shown)
            ShowMessageBox(
                QCoreApplication::translate("quavix::Help", "Quavix 2 Error"),
                QCoreApplication::translate("quavix::Help", "Context topic %1 is unavailable").arg(context));
        return shown;
    }
    return AppHelp().ShowContents() && AppHelp().ShowContext(IntroductionTopic);
}

} // namespace quavix
