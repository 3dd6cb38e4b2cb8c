' **axiscount: 1

 let axis.wv	1.000000	2.000000	3.000000
 let axis.nv	0.000000	0.000000	1.000000
 let axis.u	0.500000
 let axis.v	0.250000
 axis.add ; '---------- axis no. 0

' **patchcount 1

 let patch.p	-2	; patch.add ; '----- 0

' **shapecount 1

 let shape.id	1
 let sh.kind	62
 let sh.axis.id	0
 let sh.axis.total	1
 let sh.patch.id	0
 let sh.patch.total	0
 let sh.lrflag	0
 let sh.smoothflag	0
 let sh.page	0
 let sh.dummy	0
 let sh.bbmin.v	-1.500000	0.000000	0.000000
 let sh.bbmax.v	1.500000	2.000000	3.000000
 let sh.matrix.id	1
 let sh.attrib.id	0
 let sh.texture.id	0
 let sh.layer	1
 let sh.name "cube" 
 shape.add ; '---------- shape no. 0


' **affinecount 2

 let matrix.a 1 0 0 0 
              0 2 0 0 
              0 0 1 0 
              10 0 -5.5 1 
 matrix.add ; '---------- matrix no. 1



'*****  Block no. 1  *****
load.block 1
let b.xyzrot.v     0 0 0
let b.xyztmp.v     0 0 0
let b.center.v     1 2 3
let b.trans.v     0 0 0
let b.xyzmin.v     0 0 0
let b.xyzmax.v     0 0 0
let b.rlink.id -1
let b.layer    0
let b.dummy    0
 let b.matrix 1 0 0 0 
              0 1 0 0 
              0 0 1 0 
              0 0 0 1 
let b.refname "*"
let b.name    "part"
set.block
let b.point 1
load.block b.point


'*****  Attribute no. 0  *****
load.atr 0
let a.rgb     0.2 0.9 0.1
let a.arg     0.15 0.15 0.15
let a.prg     1 1 1
let a.drg     0.6 0.6 0.6
let ambient   0.15
let diffuse   0.6
let p.specl   0.75
let p.spex    35
let opacity   1
let gain.c    1
let gain.l    0
let haze      0
let smooth.sw 1
let map.sw    1
let face.sw   0
let shade.sw  0
set.atr

'*****  Attribute no. 1  *****
load.atr 1
let a.rgb     0.5 0.25 1
let a.arg     0.15 0.15 0.15
let a.prg     1 1 1
let a.drg     0.6 0.6 0.6
let ambient   0.15
let diffuse   0.6
let p.specl   0.75
let p.spex    20
let opacity   1
let gain.c    1
let gain.l    0
let haze      0
let smooth.sw 1
let map.sw    1
let face.sw   0
let shade.sw  1
set.atr
let atr.point 1
load.atr atr.point


let ml.point 0
load.maplist ml.point

'*****  Rigid no. 0  *****
load.rigid 0
let rigid.pos.v     1 2 3
let rigid.old.v     1 2 3
let rigid.tmp.v     0 0 0
let rigid.block1.id 1
let rigid.block2.id 0
let rigid.actor.id  1
let rigid.layer     0
let rigid.name    "j"
set.rigid
let rigid.point 0
load.rigid rigid.point

let rlink.point -1


'*****  Actor no. 1  *****
load.actor 1
let actor.start.rigid 0
let actor.layer       0
let actor.name      "arm"
set.actor
let actor.point 1
load.actor actor.point

