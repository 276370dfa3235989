#pragma once

#include <QIcon>
#include <QString>

// The small pictures of the menu bar, drawn by the program.
namespace MenuPictures {
enum class Command { ConnectionSettings, Contents, WebPage, Mail, About, Exit };
QIcon commandIcon(Command command);
// The flag of a language ("Russian", "English", "French", "Bulgarian") or a country ("Russia", "Ukraine",
// "Bulgaria"); an empty icon for any other name.
QIcon flag(const QString& name);
} // namespace MenuPictures
