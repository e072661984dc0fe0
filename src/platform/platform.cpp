#include "platform/platform.h"

namespace vx {

int defaultAnswerForStyle(int style) {
    const bool second = (style & MsgStyle::DefaultButton2) != 0;
    if ((style & MsgStyle::DefaultButton3) != 0) {
        if ((style & 7) == MsgStyle::YesNoCancel)
            return MsgAnswer::Cancel;
        if ((style & 7) == MsgStyle::AbortRetryIgnore)
            return MsgAnswer::Ignore;
    }
    switch (style & 7) {
    case MsgStyle::AbortRetryIgnore:
        return second ? MsgAnswer::Retry : MsgAnswer::Abort;
    case MsgStyle::YesNo:
        return second ? MsgAnswer::No : MsgAnswer::Yes;
    case MsgStyle::RetryCancel:
        return second ? MsgAnswer::Cancel : MsgAnswer::Retry;
    case 1: // OK / cancel
        return second ? MsgAnswer::Cancel : MsgAnswer::Ok;
    case 3: // yes / no / cancel
        return second ? MsgAnswer::No : MsgAnswer::Yes;
    default:
        return MsgAnswer::Ok;
    }
}

} // namespace vx
