// A file that breaks each house rule once, and what is allowed beside it.
// Comments may name "OK_0001" and UserFolder + "/x".
#include <QBuffer>
#include <QFile>

bool Sent(const QString& reply) { return reply.left(8).toUpper() == QLatin1String("OK_0001_"); }

QString Scratch() { return UserFolder + QStringLiteral("/temp.jpg"); }

void Keep(const QByteArray& bytes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QFile out(Scratch());
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
}
