#include "documents/document_events.h"

#include <QMetaMethod>

bool DocumentEvents::outline_drawn() const {
    return isSignalConnected(QMetaMethod::fromSignal(&DocumentEvents::outline_wanted));
}
