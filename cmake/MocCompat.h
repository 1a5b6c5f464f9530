// Read by moc only: Qt 6.4's moc cannot expand this libstdc++ macro in <concepts>.
#define _GLIBCXX_VISIBILITY(V)
