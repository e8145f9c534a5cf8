// zirrup-bench-floor: an empty Qt Quick window that runs bench/ui/BenchScript.qml like the program
// does, the baseline of bench/ui/run.sh. Usage: zirrup-bench-floor Floor.qml BenchScript.qml
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zirrup-bench-floor Floor.qml BenchScript.qml\n");
        return 2;
    }
    QQuickView view;
    QObject::connect(view.engine(), &QQmlEngine::exit, &app, &QCoreApplication::exit);
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setSource(QUrl::fromLocalFile(args.at(1)));
    if (view.status() != QQuickView::Ready)
        return 1;
    view.resize(480, 854);
    view.show();

    QQmlComponent component(view.engine(), QUrl::fromLocalFile(args.at(2)));
    QObject *script = component.beginCreate(view.rootContext());
    if (!script) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    script->setParent(view.rootObject());
    script->setProperty("root", QVariant::fromValue<QObject *>(view.rootObject()));
    component.completeCreate();
    return app.exec();
}
