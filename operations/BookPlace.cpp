#include "BookPlace.h"

#include "LocalBookConnection.h"
#include "ServerBook.h"

#include <QSettings>
#include <QString>


namespace operations {
namespace {

const QString serverKey = QStringLiteral("book/server");

std::unique_ptr<QSettings> settings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ijazat"),
                                       QStringLiteral("ijazat"));
}

} // namespace

std::unique_ptr<store::BookConnection> BookPlace::connect(store::BookOptions options) const
{
    if (server)
        return ::server::openServerBook(*server, localRoot, std::move(options));
    return std::make_unique<store::LocalBookConnection>(localRoot, std::move(options));
}

std::unique_ptr<store::TDataModule1> BookPlace::open(store::BookOptions options) const
{
    return std::make_unique<store::TDataModule1>(connect(std::move(options)));
}

std::string BookPlace::describe() const
{
    return server ? ::server::describeServer(*server) : localRoot.string();
}

std::string connectionString(const std::string& given)
{
    const bool bareName = given.find('=') == std::string::npos && given.find("://") == std::string::npos;
    return bareName ? "service=" + given : given;
}

BookPlace chosenBook(const std::filesystem::path& localRoot)
{
    const QString chosen = settings()->value(serverKey).toString();
    if (chosen.isEmpty())
        return {localRoot, std::nullopt};
    return {localRoot, chosen.toStdString()};
}

void chooseServer(const std::string& conninfo)
{
    const auto chosen = settings();
    chosen->setValue(serverKey, QString::fromStdString(conninfo));
    chosen->sync();
}

void chooseLocal()
{
    const auto chosen = settings();
    chosen->remove(serverKey);
    chosen->sync();
}

} // namespace operations
