#pragma once

#include <QString>

#include <functional>

class TObservableObject;

// The observer callback: the object that changed and the exact name of the property.
using TChangedEvent = std::function<void(TObservableObject& Sender, const QString& PropertyName)>;
