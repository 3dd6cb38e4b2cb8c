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
 let sh.matrix.id	0
 let sh.attrib.id	0
 let sh.texture.id	0
 let sh.layer	0
 let sh.name "noname.0" 
 shape.add ; '---------- shape no. 0


' **affinecount 2

 let matrix.a 1 0 0 0 
              0 2 0 0 
              0 0 1 0 
              10 0 -5.5 1 
 matrix.add ; '---------- matrix no. 1


