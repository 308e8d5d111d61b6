// STUB: replaced by the real CD control.
#include "controls/MMControl.h"

MMControl::MMControl(CdDriveOpener opener, MediaEngineFactory engineFactory, QWidget* parent)
    : QWidget(parent), m_opener(std::move(opener)), m_engineFactory(std::move(engineFactory)) {}
MMControl::~MMControl() = default;
void MMControl::setCommand(const QString& command)
{
    m_command = command;
    if (command == QLatin1String("Open") && m_opener) m_drive = m_opener(m_devicePath);
    if (command == QLatin1String("Close")) m_drive.reset();
}
bool MMControl::isOpen() const { return m_drive != nullptr; }
