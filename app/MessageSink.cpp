#include "app/MessageSink.h"

namespace pw {

MessageSink& nullMessageSink() {
    static MessageSink sink;
    return sink;
}

}  // namespace pw
