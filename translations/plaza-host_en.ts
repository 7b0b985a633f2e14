<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>plazahost::DocumentView</name>
    <message>
        <source>无参数</source>
        <translation>no parameters</translation>
    </message>
    <message>
        <source>位置 (%1, %2, %3) mm</source>
        <translation>at (%1, %2, %3) mm</translation>
    </message>
    <message>
        <source>文档内容</source>
        <translation>Document contents</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>%1 个族，%2 个实例</source>
        <translation>families: %1, instances: %2</translation>
    </message>
    <message>
        <source>未分类</source>
        <translation>uncategorized</translation>
    </message>
    <message>
        <source>类别 %1，%2 个类型</source>
        <translation>category %1, types: %2</translation>
    </message>
    <message>
        <source>实例 #%1</source>
        <translation>Instance #%1</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>plazahost::HostMainWindow</name>
    <message>
        <source>Vela 设计 — %1</source>
        <translation>Vela Design — %1</translation>
    </message>
    <message>
        <source>协同项目</source>
        <translation>Collaboration Project</translation>
    </message>
    <message>
        <source>项目 ID:</source>
        <translation>Project ID:</translation>
    </message>
    <message>
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>项目%1</source>
        <translation>Project %1</translation>
    </message>
    <message>
        <source>协同服务未注册</source>
        <translation>No collaboration service is registered</translation>
    </message>
    <message>
        <source>项目 %1 新增 %2 个构件</source>
        <translation>Project %1: components added: %2</translation>
    </message>
    <message>
        <source>产品: %1    构件库: %2    网络: %3    文档: %4</source>
        <translation>Product: %1    Library: %2    Network: %3    Document: %4</translation>
    </message>
    <message>
        <source>在线</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>文档(&amp;D)</source>
        <translation>&amp;Document</translation>
    </message>
    <message>
        <source>新建文档(&amp;N)</source>
        <translation>&amp;New Document</translation>
    </message>
    <message>
        <source>关闭文档(&amp;C)</source>
        <translation>&amp;Close Document</translation>
    </message>
    <message>
        <source>退出(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>构件库(&amp;L)</source>
        <translation>&amp;Library</translation>
    </message>
    <message>
        <source>打开公共构件库 (Plaza)(&amp;O)</source>
        <translation>&amp;Open Public Library (Plaza)</translation>
    </message>
    <message>
        <source>重新检查构件库(&amp;R)</source>
        <translation>&amp;Recheck Library</translation>
    </message>
    <message>
        <source>协同(&amp;P)</source>
        <translation>&amp;Project</translation>
    </message>
    <message>
        <source>从公共构件库添加构件到项目(&amp;A)...</source>
        <translation>&amp;Add Components from the Public Library...</translation>
    </message>
    <message>
        <source>网络(&amp;N)</source>
        <translation>&amp;Network</translation>
    </message>
    <message>
        <source>离线(&amp;O)</source>
        <translation>&amp;Offline</translation>
    </message>
    <message>
        <source>没有可用的构件库</source>
        <translation>No component library is available</translation>
    </message>
    <message>
        <source>构件库中没有分类</source>
        <translation>The library has no categories</translation>
    </message>
    <message>
        <source>无法打开构件库 %1：%2</source>
        <translation>Cannot open the library %1: %2</translation>
    </message>
</context>
<context>
    <name>plazahost::ProjectPane</name>
    <message>
        <source>协同项目</source>
        <translation>Collaboration project</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>构件</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>公共构件</source>
        <translation>Public component</translation>
    </message>
    <message>
        <source>没有构件库</source>
        <translation>No component library</translation>
    </message>
    <message>
        <source>正在读取协同项目...</source>
        <translation>Reading the collaboration projects...</translation>
    </message>
    <message>
        <source>没有协同项目</source>
        <translation>No collaboration project</translation>
    </message>
    <message numerus="yes">
        <source>共 %n 个构件</source>
        <translation>
            <numerusform>%n component</numerusform>
            <numerusform>%n components</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vela::PlazaPublicPage</name>
    <message>
        <source>清空条件</source>
        <translation>Clear filters</translation>
    </message>
</context>
</TS>
