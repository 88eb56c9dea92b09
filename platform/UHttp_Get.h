#pragma once
// The version request over the network: a plain HTTP/1.0 GET on this thread.

#include <QString>

// The body of a 2xx answer as text; false on any failure, when the whole
// request takes more than timeoutMs, or for a body over the reply limit.
// The windows repaint meanwhile but take no input.
bool Http_Get_Text(const QString &url, int timeoutMs, QString &body);
